#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

// The links a search stage has collected, indexed for the duplicate test of is_duplicate_link:
// a URL is a duplicate when it equals a collected one, is found inside one, or holds one. The
// answer is the same as testing every collected link in turn, in time that grows with the URL's
// length instead of with the number of links collected.
//
// How: every 8-byte piece of every collected link is listed with where it stands. A URL inside a
// collected link has its rarest piece listed there too; a collected link inside the URL is looked
// for at the one piece it was filed under when collected (its rarest then), so each of the URL's
// pieces leads only to the links filed under it. Links shorter than a piece are kept by length.
// A URL shorter than a piece is tested against every link (the readers never give one: the
// filter asks for 11 bytes and the topic rewrite leaves at least 9). Pure value, no Qt.
class CollectedLinkIndex {
public:
    // Whether url duplicates a collected link.
    bool duplicates(std::string_view url) const;
    // Collects url (whether or not it duplicates one already collected).
    void add(std::string_view url);
    std::size_t size() const { return starts_.size(); }
    void clear() { *this = CollectedLinkIndex(); }

    static constexpr std::size_t kPiece = 8;

private:
    struct Place {
        std::uint32_t link;
        std::uint32_t offset;
        std::uint32_t next;  // the next place of the same piece, or kNone
    };
    struct Piece {
        std::uint32_t count = 0;          // places listed
        std::uint32_t places = kNone;      // every place of the piece, latest first
        std::uint32_t filed = kNone;       // the links filed under it, latest first
    };
    struct PieceHash {
        std::size_t operator()(std::uint64_t key) const { return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> 17); }
    };
    static constexpr std::uint32_t kNone = 0xFFFFFFFF;

    std::string_view link(std::uint32_t i) const;
    bool holds_short_link(std::string_view url) const;
    bool short_url_duplicates(std::string_view url) const;

    std::string text_;                  // every link collected, one after the other
    std::vector<std::size_t> starts_;   // where link i starts in text_; it ends where i + 1 starts
    std::unordered_map<std::uint64_t, Piece, PieceHash> pieces_;
    std::vector<Place> places_;
    std::vector<Place> filed_;
    std::unordered_set<std::string> short_links_[kPiece];  // by length; length 0 is the empty link
};
