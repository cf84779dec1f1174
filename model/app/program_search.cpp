#include "model/app/program_search.h"

#include "analysis/search_service.h"
#include "analysis/socket_owners.h"
#include "download/http_probe.h"
#include "model/app/Downloaddemo_U.h"
#include "model/app/command_line.h"
#include "model/app/private_searx.h"
#include "model/app/search_settings.h"

#include <QFileInfo>

#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {

constexpr const char* kUsualSearx = "http://127.0.0.1:8888";
constexpr unsigned kUsualSearxPort = 8888;

std::string read_table(const char* path) {
    std::ifstream file(path);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// Empty when the searx at the usual address is this user's or the system's; else why it is not used.
std::string usual_searx_distrust() {
    std::vector<unsigned> owners = loopback_listener_uids(read_table("/proc/net/tcp"), kUsualSearxPort);
    const auto v6 = loopback_listener_uids(read_table("/proc/net/tcp6"), kUsualSearxPort);
    owners.insert(owners.end(), v6.begin(), v6.end());
    return untrusted_listener_reason(owners, ::getuid());
}

bool searx_answers(std::string address) {
    while (address.ends_with('/')) address.pop_back();
    return http_answers(address + "/config", 2000);
}

void choose_searx(TForm1& form, const std::string& address) {
    OptionValues searx;
    searx.search_service = "searx";
    searx.search_host = address;
    apply_search_options(form, searx);
}

}  // namespace

bool names_search(const OptionValues& values) {
    return values.search_service || values.search_host || values.search_phrase;
}

ChosenSearch choose_answering_search(TForm1& form, PrivateSearx& searx, const std::string& program,
                             const std::function<void(const std::string&)>& say) {
    const std::string service = search_services()[form.search_service.item_index()].name;
    if (service != "google" && service != "searx") return ChosenSearch::Remembered;
    if (service == "searx" && searx_answers(form.search_host.text())) return ChosenSearch::Remembered;
    if (searx_answers(kUsualSearx)) {
        if (const std::string distrust = usual_searx_distrust(); !distrust.empty()) {
            say(std::string("searx answers at ") + kUsualSearx + " but " + program + " does not use it: " + distrust);
        } else {
            say(std::string("searx answers at ") + kUsualSearx + ": " + program + " uses it");
            choose_searx(form, kUsualSearx);
            return ChosenSearch::UsualSearx;
        }
    }
    const auto usual_search = program + " asks its usual search";
    if (!QFileInfo(PrivateSearx::kProgram).isExecutable() || !QFileInfo::exists(PrivateSearx::kExampleSettings)) {
        say(std::string("searx or its example settings (") + PrivateSearx::kExampleSettings +
            ") are missing (apt-get install searx): " + usual_search);
        return ChosenSearch::Remembered;
    }
    const QString settings = QFileInfo(search_settings_file()).absolutePath() + "/searx.yml";
    const bool made = !QFileInfo::exists(settings);
    if (const std::string error = make_private_searx_settings(PrivateSearx::kExampleSettings, settings); !error.empty()) {
        say(error + ": " + usual_search);
        return ChosenSearch::Remembered;
    }
    if (made) say("made " + settings.toStdString());
    if (!searx.start(settings)) {
        say(searx.error());
        say("searx did not start: " + usual_search);
        return ChosenSearch::Remembered;
    }
    say("searx answers at " + searx.address() + " (pid " + std::to_string(searx.pid()) + "); it stops when " + program +
        " ends");
    choose_searx(form, searx.address());
    return ChosenSearch::PrivateSearx;
}
