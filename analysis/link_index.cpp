#include "analysis/link_index.h"

#include "analysis/link_extraction.h"

#include <cstring>
#include <limits>

namespace {

std::uint64_t piece_at(std::string_view text, std::size_t at) {
    std::uint64_t key;
    std::memcpy(&key, text.data() + at, sizeof key);
    return key;
}

// Whether text holds part starting at position at.
bool holds_at(std::string_view text, std::size_t at, std::string_view part) {
    return at <= text.size() && part.size() <= text.size() - at && std::memcmp(text.data() + at, part.data(), part.size()) == 0;
}

}  // namespace

std::string_view CollectedLinkIndex::link(std::uint32_t i) const {
    const std::size_t end = i + 1 < starts_.size() ? starts_[i + 1] : text_.size();
    return std::string_view(text_).substr(starts_[i], end - starts_[i]);
}

bool CollectedLinkIndex::holds_short_link(std::string_view url) const {
    for (std::size_t length = 1; length < kPiece && length <= url.size(); ++length) {
        const auto& links = short_links_[length];
        if (links.empty()) continue;
        for (std::size_t at = 0; at + length <= url.size(); ++at)
            if (links.count(std::string(url.substr(at, length)))) return true;
    }
    return false;
}

bool CollectedLinkIndex::short_url_duplicates(std::string_view url) const {
    if (url.empty()) return !short_links_[0].empty();
    for (std::uint32_t i = 0; i < starts_.size(); ++i)
        if (is_duplicate_link(url, link(i))) return true;
    return false;
}

bool CollectedLinkIndex::duplicates(std::string_view url) const {
    if (url.size() < kPiece) return short_url_duplicates(url);
    if (holds_short_link(url)) return true;

    // One pass over the URL's pieces: the links filed under each (a collected link inside the
    // URL), and the rarest piece, which every link holding the URL must list.
    std::uint32_t rarest_count = std::numeric_limits<std::uint32_t>::max();
    std::uint32_t rarest_places = kNone;
    std::size_t rarest_offset = 0;
    for (std::size_t at = 0; at + kPiece <= url.size(); ++at) {
        const auto found = pieces_.find(piece_at(url, at));
        if (found == pieces_.end()) {
            rarest_count = 0;
            continue;
        }
        const Piece& piece = found->second;
        for (auto f = piece.filed; f != kNone; f = filed_[f].next)
            if (filed_[f].offset <= at && holds_at(url, at - filed_[f].offset, link(filed_[f].link))) return true;
        if (piece.count < rarest_count) {
            rarest_count = piece.count;
            rarest_places = piece.places;
            rarest_offset = at;
        }
    }
    if (rarest_count == 0) return false;
    for (auto p = rarest_places; p != kNone; p = places_[p].next) {
        const Place& place = places_[p];
        if (place.offset >= rarest_offset && holds_at(link(place.link), place.offset - rarest_offset, url)) return true;
    }
    return false;
}

void CollectedLinkIndex::add(std::string_view url) {
    const auto index = static_cast<std::uint32_t>(starts_.size());
    starts_.push_back(text_.size());
    text_.append(url);
    if (url.size() < kPiece) {
        short_links_[url.size()].emplace(url);
        return;
    }
    Piece* file_under = nullptr;
    std::uint32_t file_offset = 0;
    for (std::size_t at = 0; at + kPiece <= url.size(); ++at) {
        Piece& piece = pieces_[piece_at(url, at)];
        if (!file_under || piece.count < file_under->count) {
            file_under = &piece;
            file_offset = static_cast<std::uint32_t>(at);
        }
        places_.push_back(Place{index, static_cast<std::uint32_t>(at), piece.places});
        piece.places = static_cast<std::uint32_t>(places_.size() - 1);
        ++piece.count;
    }
    filed_.push_back(Place{index, file_offset, file_under->filed});
    file_under->filed = static_cast<std::uint32_t>(filed_.size() - 1);
}
