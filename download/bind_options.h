#pragma once

#include <cstdint>
#include <initializer_list>

// Bind options: member i stands for the bind flag 2^i.
enum class TBindInfoOption : std::uint8_t {
    Asynchronous, AsyncStorage, NoProgressiveRendering, OfflineOperation, GetNewestVersion, NoWriteCache,
    NeedFile, PullData, IgnoreSecurityProblem, Resynchronize, Hyperlink, No_UI, SilentOperation,
    Pragma_No_Cache, GetClassObject, Reserved_1, Free_Threaded, Direct_Read, Forms_Submit,
    GetFromCache_If_Net_Fail, FromUrlmon, Fwd_Back, Reserved_2, Reserved_3
};

// A set of TBindInfoOption; its bit mask is the bind flags.
class TBindInfoOptions {
public:
    constexpr TBindInfoOptions() = default;
    constexpr TBindInfoOptions(std::initializer_list<TBindInfoOption> members) {
        for (auto m : members) bits_ |= bit(m);
    }
    static constexpr TBindInfoOptions default_set() {
        return {TBindInfoOption::Asynchronous, TBindInfoOption::AsyncStorage, TBindInfoOption::GetNewestVersion,
                TBindInfoOption::NoWriteCache, TBindInfoOption::PullData};
    }
    static constexpr TBindInfoOptions synchronous_set() {
        return {TBindInfoOption::GetNewestVersion, TBindInfoOption::NoWriteCache, TBindInfoOption::PullData};
    }
    constexpr bool contains(TBindInfoOption m) const { return (bits_ & bit(m)) != 0; }
    constexpr std::uint32_t bits() const { return bits_; }
    constexpr bool operator==(const TBindInfoOptions&) const = default;

private:
    static constexpr std::uint32_t bit(TBindInfoOption m) { return std::uint32_t{1} << static_cast<unsigned>(m); }
    std::uint32_t bits_ = 0;
};

enum class TCodePageOption { Ansi, OEM, Mac, ThreadsAnsi, Symbol, UTF7, UTF8 };
// The code page number reported for each option.
constexpr std::uint32_t code_page_number(TCodePageOption option) {
    switch (option) {
        case TCodePageOption::Ansi: return 0;
        case TCodePageOption::OEM: return 1;
        case TCodePageOption::Mac: return 2;
        case TCodePageOption::ThreadsAnsi: return 3;
        case TCodePageOption::Symbol: return 42;
        case TCodePageOption::UTF7: return 65000;
        case TCodePageOption::UTF8: return 65001;
    }
    return 0;
}

enum class TBindVerbOption { Get = 0, Post = 1, Put = 2, Custom = 3 };

enum class TUrlEncodeOption { PostData, ExtraInfo };
// Stored only; no effect on the bind-info flags.
struct TUrlEncodeOptions {
    bool PostData = false;
    bool ExtraInfo = false;
};
