#pragma once

// The names the readers give the engines they recognise: shown as "Counted as ..." and `read_as`,
// and the key by which a page's date reader is chosen, so each is written once.
namespace engine_name {
inline constexpr const char* PhpBB3 = "phpBB 3";
inline constexpr const char* XenForo1 = "XenForo 1";
inline constexpr const char* XenForo2 = "XenForo 2";
inline constexpr const char* VBulletin3 = "vBulletin 3";
inline constexpr const char* VBulletin4 = "vBulletin 4";
inline constexpr const char* VBulletin5 = "vBulletin 5";
inline constexpr const char* MyBB = "MyBB 1.8";
inline constexpr const char* Smf1 = "SMF 1.1 / 2.0";
inline constexpr const char* Smf21 = "SMF 2.1";
inline constexpr const char* IpBoard3 = "IP.Board 3";
inline constexpr const char* Invision = "Invision Community 4 / 5";
inline constexpr const char* FluxBB = "FluxBB / PunBB 1.2";
inline constexpr const char* PunBB = "PunBB";
inline constexpr const char* Vanilla = "Vanilla";
inline constexpr const char* DiscuzX = "Discuz! X";
inline constexpr const char* NodeBB = "NodeBB";
inline constexpr const char* Discourse = "Discourse";
}  // namespace engine_name
