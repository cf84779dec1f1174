#include "model/app/search_settings.h"

#include "analysis/search_locale.h"
#include "analysis/search_service.h"
#include "model/app/Downloaddemo_U.h"

#include <QSettings>
#include <QStandardPaths>

namespace {

constexpr const char* kService = "search/service";
constexpr const char* kHost = "search/host";
constexpr const char* kPhrase = "search/phrase";
constexpr const char* kUserAgent = "download/user_agent";
constexpr const char* kLanguage = "search/language";
constexpr const char* kRegion = "search/region";

void write(QSettings& settings, const char* key, const std::string& value) {
    settings.setValue(key, QString::fromStdString(value));
    // At once: a window that is killed keeps what was chosen before.
    settings.sync();
}

}  // namespace

QString search_settings_file() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/ravelmoot/ravelmoot.conf";
}

void restore_search_settings(TForm1& form, const QSettings& settings) {
    // By name, so that a new service in the list does not shift what was chosen.
    if (const QVariant service = settings.value(kService); service.isValid()) {
        const int index = search_service_index(service.toString().toStdString());
        if (index >= 0) form.search_service.set_item_index(index);
    }
    if (const QVariant host = settings.value(kHost); host.isValid()) form.search_host.set_text(host.toString().toStdString());
    if (const QVariant phrase = settings.value(kPhrase); phrase.isValid())
        form.search_phrase.set_text(phrase.toString().toStdString());
    // By code; "Any" is written as an empty code and a code no longer listed reads as "Any" too.
    if (const QVariant language = settings.value(kLanguage); language.isValid())
        form.results_language.set_item_index(search_language_index(find_search_language(language.toString().toStdString())));
    if (const QVariant region = settings.value(kRegion); region.isValid())
        form.results_region.set_item_index(search_region_index(find_search_region(region.toString().toStdString())));
    // An empty agent is a choice too (no User-Agent line), kept as such.
    if (const QVariant agent = settings.value(kUserAgent); agent.isValid()) form.user_agent.set_text(agent.toString().toStdString());
}

void remember_search_settings(TForm1& form, QSettings& settings) {
    QObject::connect(&form.search_service, &ComboBox::changed, &form, [&form, &settings] {
        write(settings, kService, search_service_at(form.search_service.item_index()).name);
    });
    QObject::connect(&form.results_language, &ComboBox::changed, &form, [&form, &settings] {
        const SearchLanguage* language = search_language_at(form.results_language.item_index());
        write(settings, kLanguage, language ? language->code : "");
    });
    QObject::connect(&form.results_region, &ComboBox::changed, &form, [&form, &settings] {
        const SearchRegion* region = search_region_at(form.results_region.item_index());
        write(settings, kRegion, region ? region->code : "");
    });
    QObject::connect(&form.search_host, &TextField::changed, &form,
                     [&form, &settings] { write(settings, kHost, form.search_host.text()); });
    QObject::connect(&form.search_phrase, &TextField::changed, &form,
                     [&form, &settings] { write(settings, kPhrase, form.search_phrase.text()); });
    QObject::connect(&form.user_agent, &TextField::changed, &form,
                     [&form, &settings] { write(settings, kUserAgent, form.user_agent.text()); });
}
