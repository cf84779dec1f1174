#include "analysis/forum_engines/last_post_readers.h"

#include <utility>

namespace {

std::string no_date(const PageLines&, std::int64_t) { return {}; }

// By the engine names the count readers give their figures.
constexpr std::pair<std::string_view, NewestPostReader> kDateReaders[] = {
    {"phpBB 3", newest_post_phpbb3},
    {"XenForo 1", newest_post_xenforo1},
    {"XenForo 2", newest_post_xenforo2},
    {"vBulletin 3", newest_post_vbulletin3},
    {"vBulletin 4", newest_post_vbulletin4},
    {"vBulletin 5", newest_post_vbulletin5},
    {"MyBB 1.8", newest_post_mybb},
    {"SMF 1.1 / 2.0", newest_post_smf1},
    {"SMF 2.1", newest_post_smf21},
    {"IP.Board 3", newest_post_ipb3},
    {"Invision Community 4", newest_post_invision4},
    {"FluxBB", newest_post_fluxbb},
    {"PunBB", newest_post_punbb},
    {"Vanilla", newest_post_vanilla},
    {"Discuz! X", newest_post_discuz},
    {"NodeBB", newest_post_nodebb},
};

}  // namespace

NewestPostReader newest_post_reader(std::string_view engine) {
    for (const auto& [name, reader] : kDateReaders)
        if (name == engine) return reader;
    return no_date;
}
