#include "analysis/forum_engines/forum_list_captions.h"

#include <array>
#include <string>

namespace {

struct Caption {
    std::string_view text;  // ASCII letters in lower case
    CaptionKind kind;
};

// One caption a line. Letters beyond ASCII as boards print them, capital and small where a
// caption may be written either way. "Comments" is left out: blogs label their articles so.
constexpr auto kCaptions = std::to_array<Caption>({
    {"topics", CaptionKind::Topics},
    {"threads", CaptionKind::Topics},
    {"discussions", CaptionKind::Topics},
    {"subjects", CaptionKind::Topics},
    {"posts", CaptionKind::Posts},
    {"messages", CaptionKind::Posts},
    {"replies", CaptionKind::Replies},
    {"views", CaptionKind::Views},
    {"hits", CaptionKind::Views},
    {"reads", CaptionKind::Views},
    {"author", CaptionKind::Author},
    {"started by", CaptionKind::Author},
    {"thread starter", CaptionKind::Author},
    {"topic starter", CaptionKind::Author},
    // German
    {"themen", CaptionKind::Topics},
    {"beiträge", CaptionKind::Posts},
    {"beitr&auml;ge", CaptionKind::Posts},
    {"antworten", CaptionKind::Replies},
    {"zugriffe", CaptionKind::Views},
    {"aufrufe", CaptionKind::Views},
    {"autor", CaptionKind::Author},
    // French
    {"sujets", CaptionKind::Topics},
    {"réponses", CaptionKind::Replies},
    {"vues", CaptionKind::Views},
    {"auteur", CaptionKind::Author},
    // Spanish, Portuguese, Italian
    {"temas", CaptionKind::Topics},
    {"mensajes", CaptionKind::Posts},
    {"respuestas", CaptionKind::Replies},
    {"visitas", CaptionKind::Views},
    {"tópicos", CaptionKind::Topics},
    {"mensagens", CaptionKind::Posts},
    {"respostas", CaptionKind::Replies},
    {"argomenti", CaptionKind::Topics},
    {"discussioni", CaptionKind::Topics},
    {"messaggi", CaptionKind::Posts},
    {"risposte", CaptionKind::Replies},
    {"visite", CaptionKind::Views},
    // Dutch, Scandinavian, Finnish
    {"onderwerpen", CaptionKind::Topics},
    {"berichten", CaptionKind::Posts},
    {"reacties", CaptionKind::Replies},
    {"ämnen", CaptionKind::Topics},
    {"trådar", CaptionKind::Topics},
    {"inlägg", CaptionKind::Posts},
    {"emner", CaptionKind::Topics},
    {"indlæg", CaptionKind::Posts},
    {"innlegg", CaptionKind::Posts},
    {"aiheet", CaptionKind::Topics},
    {"viestit", CaptionKind::Posts},
    // Polish, Czech, Slovak, Hungarian, Romanian
    {"tematy", CaptionKind::Topics},
    {"wątki", CaptionKind::Topics},
    {"posty", CaptionKind::Posts},
    {"odpowiedzi", CaptionKind::Replies},
    {"témata", CaptionKind::Topics},
    {"příspěvky", CaptionKind::Posts},
    {"témy", CaptionKind::Topics},
    {"príspevky", CaptionKind::Posts},
    {"témák", CaptionKind::Topics},
    {"hozzászólások", CaptionKind::Posts},
    {"subiecte", CaptionKind::Topics},
    {"mesaje", CaptionKind::Posts},
    // Turkish, Greek, Russian
    {"konular", CaptionKind::Topics},
    {"konu", CaptionKind::Topics},
    {"mesajlar", CaptionKind::Posts},
    {"i̇letiler", CaptionKind::Posts},
    {"İleti", CaptionKind::Posts},
    {"Θέματα", CaptionKind::Topics},
    {"Δημοσιεύσεις", CaptionKind::Posts},
    {"Темы", CaptionKind::Topics},
    {"темы", CaptionKind::Topics},
    {"Сообщения", CaptionKind::Posts},
    {"сообщения", CaptionKind::Posts},
    {"Ответы", CaptionKind::Replies},
    {"ответы", CaptionKind::Replies},
    {"Просмотры", CaptionKind::Views},
    {"Автор", CaptionKind::Author},
    // Vietnamese, Chinese, Japanese, Korean
    {"chủ đề", CaptionKind::Topics},
    {"bài viết", CaptionKind::Posts},
    {"trả lời", CaptionKind::Replies},
    {"主题", CaptionKind::Topics},
    {"主題", CaptionKind::Topics},
    {"帖数", CaptionKind::Posts},
    {"帖子", CaptionKind::Posts},
    {"文章", CaptionKind::Posts},
    {"回复", CaptionKind::Replies},
    {"回覆", CaptionKind::Replies},
    {"查看", CaptionKind::Views},
    {"浏览", CaptionKind::Views},
    {"点击", CaptionKind::Views},
    {"人气", CaptionKind::Views},
    {"作者", CaptionKind::Author},
    {"トピック", CaptionKind::Topics},
    {"スレッド", CaptionKind::Topics},
    {"投稿", CaptionKind::Posts},
    {"주제", CaptionKind::Topics},
    {"게시물", CaptionKind::Posts},
});

// Longer texts are no caption; the bound keeps the lower-case copy on the stack.
constexpr std::size_t kLongestCaption = 48;

}  // namespace

std::string_view trimmed_caption(std::string_view text) {
    for (bool cut = true; cut;) {
        cut = false;
        for (std::string_view blank : {" ", "\t", "\r", "\n", "&nbsp;", "\xC2\xA0", ":", "#", "/", ",", "|"}) {
            if (text.starts_with(blank)) text.remove_prefix(blank.size()), cut = true;
            if (text.ends_with(blank)) text.remove_suffix(blank.size()), cut = true;
        }
    }
    return text;
}

CaptionKind caption_kind(std::string_view text) {
    text = trimmed_caption(text);
    if (text.empty() || text.size() > kLongestCaption) return CaptionKind::None;
    std::array<char, kLongestCaption> lower{};
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        lower[i] = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    const std::string_view folded(lower.data(), text.size());
    for (const Caption& caption : kCaptions)
        if (caption.text == folded) return caption.kind;
    return CaptionKind::None;
}
