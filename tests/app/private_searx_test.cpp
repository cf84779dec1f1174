#include "analysis/search_service.h"
#include "analysis/searx_settings.h"
#include "model/app/command_line.h"
#include "model/app/private_searx.h"
#include "model/app/program_search.h"
#include "tests/support/form_fixture.h"
#include "tests/support/http_fixture_server.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <regex>

#include <sys/wait.h>
#include <unistd.h>

namespace {

std::string read_file(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "<missing>";
}

TEST(PrivateSearx, SettingsAreMadeOnceFromTheExamplePrivateAndEachStartChangesTheServerPortAlone) {
    const std::string example = "general:\n    debug : False\nsearch:\n    safe_search : 0\n"
                                "server:\n    port : 8888\n    bind_address : \"0.0.0.0\" # where\n"
                                "    secret_key : \"ultrasecretkey\" # change this!\n"
                                "redis:\n    port : 6379\n#    port : 27017\n";
    QTemporaryDir dir;
    {
        QFile file(dir.filePath("example.yml"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(example.data(), static_cast<qint64>(example.size()));
    }
    const QString first = dir.filePath("config/ravelmoot/searx.yml");
    const QString second = dir.filePath("other/searx.yml");
    ASSERT_EQ(make_private_searx_settings(dir.filePath("example.yml"), first), "");
    ASSERT_EQ(make_private_searx_settings(dir.filePath("example.yml"), second), "");
    const std::string made = read_file(first);
    const std::regex expected("general:\n    debug : False\nsearch:\n    formats: \\[html, json\\]\n    safe_search : 0\n"
                              "server:\n    port : 8888\n    bind_address : \"127.0.0.1\"\n"
                              "    secret_key : \"[0-9a-f]{64}\"\nredis:\n    port : 6379\n#    port : 27017\n");
    EXPECT_TRUE(std::regex_match(made, expected)) << made;
    EXPECT_NE(made, read_file(second)) << "two users share a secret";
    const auto others = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ReadOther | QFileDevice::WriteOther;
    EXPECT_FALSE(QFileInfo(first).permissions() & others);

    // Kept once made, whatever the user changed in it.
    {
        QFile file(first);
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.write("# mine\n");
    }
    ASSERT_EQ(make_private_searx_settings(dir.filePath("example.yml"), first), "");
    EXPECT_EQ(read_file(first), made + "# mine\n");
    EXPECT_NE(make_private_searx_settings(dir.filePath("absent.yml"), dir.filePath("third.yml")), "");
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("third.yml")));

    std::string expected_copy = made;
    expected_copy.replace(expected_copy.find("port : 8888"), 11, "port : 41234");
    EXPECT_EQ(searx_settings_with_port(made, 41234), expected_copy);
    EXPECT_EQ(searx_settings_with_port("server:\n  port: 1\n", 2), "server:\n  port: 2\n");
}

TEST(PrivateSearx, AStartRemovesTheFoldersOfThisUsersDeadStartsAndMakesNoneUntilSearxCanStart) {
    QTemporaryDir temp;
    const QByteArray was = qgetenv("TMPDIR");
    qputenv("TMPDIR", temp.path().toLocal8Bit());
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) ::_exit(0);
    ASSERT_EQ(::waitpid(child, nullptr, 0), child);
    const QString prefix = PrivateSearx::kFolderPrefix;
    const QString dead = prefix + QString::number(child) + "-Ab12Cd";
    const QStringList kept = {prefix + QString::number(::getpid()) + "-Ef34Gh",  // this process, alive
                              prefix + "1-Ij56Kl",                              // someone alive
                              prefix + "x-Mn78Op", "other-" + QString::number(child) + "-Qr90St"};
    QStringList made = kept;
    made << dead;
    for (const QString& name : made) ASSERT_TRUE(QDir(temp.path()).mkdir(name));
    QFile inside(temp.filePath(dead + "/searx.log"));
    ASSERT_TRUE(inside.open(QIODevice::WriteOnly));
    inside.close();
    {
        PrivateSearx searx;
        EXPECT_FALSE(searx.start(temp.filePath("absent.yml")));
    }
    if (was.isNull())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", was);
    EXPECT_FALSE(QFileInfo::exists(temp.filePath(dead)));
    QStringList left = QDir(temp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    left.sort();
    QStringList expected = kept;
    expected.sort();
    EXPECT_EQ(left, expected) << "a folder was made without a searx, or another one was removed";
}

// Only the cases that start no searx: the one that does is the whole-program test's.
TEST(PrivateSearx, ARememberedServiceOrAnsweringSearxIsKept) {
    // Should a case go wrong, the searx it would start has settings it cannot start on.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QDir().mkpath(config.filePath("ravelmoot"));
    QFile(config.filePath("ravelmoot/searx.yml")).open(QIODevice::WriteOnly);
    HttpFixtureServer searx(HttpFixtureServer::Threading::OwnThread);
    searx.route("/config", HttpResponse::text("{}"));
    const std::string answering = "http://127.0.0.1:" + std::to_string(searx.port());
    struct Case {
        const char* service;
        std::string host;
    };
    for (const Case& remembered : {Case{"brave", "https://127.0.0.1:9/api"}, Case{"searx", answering + "/"}}) {
        FormFixture f;
        OptionValues values;
        values.search_service = remembered.service;
        values.search_host = remembered.host;
        apply_search_options(*f.form, values);
        PrivateSearx private_searx;
        std::string said;
        choose_answering_search(*f.form, private_searx, "test", [&](const std::string& line) { said += line; });
        EXPECT_EQ(search_services()[f.form->search_service.item_index()].name, std::string(remembered.service));
        EXPECT_EQ(f.form->search_host.text(), remembered.host);
        EXPECT_FALSE(private_searx.running());
        EXPECT_EQ(said, "");
    }
    OptionValues values;
    values.dig = "20";
    EXPECT_FALSE(names_search(values));
    values.search_phrase = "board";
    EXPECT_TRUE(names_search(values));
}

}  // namespace
