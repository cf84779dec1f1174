#include "model/app/command_line.h"

#include "analysis/number_text.h"
#include "analysis/search_locale.h"
#include "analysis/search_service.h"
#include "model/app/Downloaddemo_U.h"

#include <QCommandLineParser>

namespace {

std::string name_of(const ProgramOption& option) { return std::string("--") + option.name; }

// Qt's own texts say little of what to do; these name the option and the way out.
std::string parse_error(Program program, const QCommandLineParser& parser, const std::vector<std::string>& args) {
    if (const QStringList unknown = parser.unknownOptionNames(); !unknown.isEmpty())
        return "unknown option '--" + unknown.front().toStdString() + "' (see --help)";
    for (const auto& option : program_options()) {
        if (!takes_option(program, option)) continue;
        // A value option given last has nothing to take.
        if (option.text && !args.empty() && args.back() == name_of(option))
            return "option " + name_of(option) + " needs a value";
        for (const auto& arg : args)
            if (option.flag && arg.starts_with(name_of(option) + "=")) return "option " + name_of(option) + " takes no value";
    }
    return parser.errorText().toStdString();
}

// "--threads takes 1 to 25, not 30": the window's fields correct a number out of range, a
// command line has nobody to show the correction to.
std::string range_refusal(const ProgramOption& option, int value) {
    if (value >= option.min_value && value <= option.max_value) return "";
    constexpr int kNone = std::numeric_limits<int>::max();
    const std::string range = option.max_value == kNone ? std::to_string(option.min_value) + " or more"
                                                         : std::to_string(option.min_value) + " to " + std::to_string(option.max_value);
    return name_of(option) + " takes " + range + ", not " + std::to_string(value);
}

// "any" undoes a remembered language or region for one start.
bool is_any(std::string_view code) { return code == "any" || code == "Any" || code == "ANY"; }

}  // namespace

ParsedCommandLine parse_command_line(Program program, const std::vector<std::string>& args) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const auto& option : program_options()) {
        if (!takes_option(program, option)) continue;
        QCommandLineOption qt_option(QString::fromUtf8(option.name));
        if (option.text) qt_option.setValueName(QString::fromUtf8(option.value_name));
        parser.addOption(qt_option);
    }
    QStringList arguments{QStringLiteral("program")};  // the parser skips the program's name
    for (const auto& arg : args) arguments << QString::fromStdString(arg);

    ParsedCommandLine parsed;
    if (!parser.parse(arguments)) {
        parsed.error = parse_error(program, parser, args);
        return parsed;
    }
    for (const auto& option : program_options()) {
        if (!takes_option(program, option) || !parser.isSet(QString::fromUtf8(option.name))) continue;
        if (option.flag) {
            parsed.values.*(option.flag) = true;
            continue;
        }
        const std::string value = parser.value(QString::fromUtf8(option.name)).toStdString();
        if (option.numeric && !parse_int_strict(value)) {
            parsed.error = "option " + name_of(option) + " needs a whole number, not '" + value + "'";
            return parsed;
        }
        if (option.numeric) {
            if (const std::string refusal = range_refusal(option, *parse_int_strict(value)); !refusal.empty()) {
                parsed.error = refusal;
                return parsed;
            }
        }
        parsed.values.*(option.text) = value;
    }
    for (const QString& arg : parser.positionalArguments()) parsed.positional.push_back(arg.toStdString());
    const auto& service = parsed.values.search_service;
    if (service && search_service_index(*service) < 0)
        parsed.error = "unknown search service '" + *service + "' (one of " + search_service_names() + ")";
    else if (const auto& language = parsed.values.language; language && !is_any(*language) && !find_search_language(*language))
        parsed.error = "unknown language '" + *language + "' for --language (any, or one of " + search_language_codes() + ")";
    else if (const auto& region = parsed.values.region; region && !is_any(*region) && !find_search_region(*region))
        parsed.error = "unknown region '" + *region + "' for --region (any, or one of " + search_region_codes() + ")";
    return parsed;
}

void apply_search_options(TForm1& form, const OptionValues& values) {
    if (values.search_service) {
        form.search_service.set_item_index(search_service_index(*values.search_service));
        form.search_serviceChange();
    }
    if (values.search_host) form.search_host.set_text(*values.search_host);
    if (values.search_phrase) form.search_phrase.set_text(*values.search_phrase);
    if (values.language) form.results_language.set_item_index(search_language_index(find_search_language(*values.language)));
    if (values.region) form.results_region.set_item_index(search_region_index(find_search_region(*values.region)));
}
