#pragma once

#include "analysis/forum_figures.h"
#include "analysis/popularity.h"

// One reader per forum engine. Each recognises its engine by markup that only that engine
// writes and reads the per-forum counts of its board index (topics and posts, or posts alone
// where the index shows only those). A page that is not the engine's, or shows no number where
// the engine puts its counts, gives empty figures and no engine name. Pure functions of the page.

// Verified on real boards.
ForumFigures read_phpbb3(const PageLines& page);
ForumFigures read_xenforo2(const PageLines& page);
ForumFigures read_xenforo1(const PageLines& page);
ForumFigures read_vbulletin4(const PageLines& page);
ForumFigures read_vbulletin3(const PageLines& page);
ForumFigures read_invision4(const PageLines& page);
ForumFigures read_ipboard3(const PageLines& page);
ForumFigures read_mybb(const PageLines& page);
ForumFigures read_smf1(const PageLines& page);
ForumFigures read_discuzx(const PageLines& page);
// Built from the engines' template markup.
ForumFigures read_smf21(const PageLines& page);
ForumFigures read_fluxbb(const PageLines& page);
ForumFigures read_punbb(const PageLines& page);
ForumFigures read_vbulletin5(const PageLines& page);
ForumFigures read_vanilla(const PageLines& page);
ForumFigures read_nodebb(const PageLines& page);
ForumFigures read_discourse(const PageLines& page);

// The figures of what a reader counted, carrying the engine's name only when it counted something.
ForumFigures engine_figures(const PostCounter& counter, const char* engine);

// Counts the number that the text of each <tag> element whose class holds class_name (any
// class when empty) begins with; elements holding no number are passed over.
void count_element_numbers(std::string_view text, std::string_view tag, std::string_view class_name,
                           PostCounter& counter);

// Counts what a count cell shows: the exact figure in the title of an element that gives one,
// bare or labelled (the text it shows, often a short form, is then passed over), and the one
// count of each other run of text, bare or labelled in any language.
void count_cell_numbers(std::string_view cell, PostCounter& counter);

// The JSON Discourse preloads into its page (a data-preloaded="..." attribute, entity-encoded, the
// category list itself stored as a JSON string inside it) with that escaping undone; empty when
// the page carries none.
std::string discourse_preloaded_data(std::string_view page);
