#include "analysis/forum_engines/engine_names.h"
#include "analysis/forum_engines/last_post_readers.h"

#include <utility>

namespace {

std::string no_date(const PageLines&, std::int64_t) { return {}; }

// By the engine names the count readers give their figures.
constexpr std::pair<std::string_view, NewestPostReader> kDateReaders[] = {
    {engine_name::PhpBB3, newest_post_phpbb3},
    {engine_name::XenForo1, newest_post_xenforo1},
    {engine_name::XenForo2, newest_post_xenforo2},
    {engine_name::VBulletin3, newest_post_vbulletin3},
    {engine_name::VBulletin4, newest_post_vbulletin4},
    {engine_name::VBulletin5, newest_post_vbulletin5},
    {engine_name::MyBB, newest_post_mybb},
    {engine_name::Smf1, newest_post_smf1},
    {engine_name::Smf21, newest_post_smf21},
    {engine_name::IpBoard3, newest_post_ipb3},
    {engine_name::Invision, newest_post_invision4},
    {engine_name::FluxBB, newest_post_fluxbb},
    {engine_name::PunBB, newest_post_punbb},
    {engine_name::Vanilla, newest_post_vanilla},
    {engine_name::DiscuzX, newest_post_discuz},
    {engine_name::NodeBB, newest_post_nodebb},
    {engine_name::Discourse, newest_post_discourse},
};

}  // namespace

NewestPostReader newest_post_reader(std::string_view engine) {
    for (const auto& [name, reader] : kDateReaders)
        if (name == engine) return reader;
    return no_date;
}
