#pragma once

#include <array>
#include <cstdint>
#include <new>

using HRESULT = std::int32_t;
using Cardinal = std::uint32_t;

struct TGUID {
    std::array<std::uint8_t, 16> bytes{};
    constexpr bool operator==(const TGUID&) const = default;
};

constexpr HRESULT hresult(std::uint32_t code) { return static_cast<HRESULT>(code); }

constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_ABORT = hresult(0x80004004u);
constexpr HRESULT E_FAIL = hresult(0x80004005u);
constexpr HRESULT E_NOINTERFACE = hresult(0x80004002u);
constexpr HRESULT E_POINTER = hresult(0x80004003u);
constexpr HRESULT E_OUTOFMEMORY = hresult(0x8007000Eu);
constexpr HRESULT E_INVALIDARG = hresult(0x80070057u);
constexpr HRESULT MK_S_ASYNCHRONOUS = 0x000401E8;
constexpr HRESULT MK_E_SYNTAX = hresult(0x800401E4u);
constexpr HRESULT INET_E_INVALID_URL = hresult(0x800C0002u);
constexpr HRESULT INET_E_CANNOT_CONNECT = hresult(0x800C0004u);
constexpr HRESULT INET_E_RESOURCE_NOT_FOUND = hresult(0x800C0005u);
constexpr HRESULT INET_E_DATA_NOT_AVAILABLE = hresult(0x800C0007u);
constexpr HRESULT INET_E_DOWNLOAD_FAILURE = hresult(0x800C0008u);
constexpr HRESULT INET_E_AUTHENTICATION_REQUIRED = hresult(0x800C0009u);
constexpr HRESULT INET_E_CONNECTION_TIMEOUT = hresult(0x800C000Bu);
constexpr HRESULT INET_E_UNKNOWN_PROTOCOL = hresult(0x800C000Du);
constexpr HRESULT INET_E_SECURITY_PROBLEM = hresult(0x800C000Eu);
constexpr HRESULT INET_E_CANNOT_LOAD_DATA = hresult(0x800C000Fu);
constexpr HRESULT INET_E_REDIRECT_FAILED = hresult(0x800C0014u);

// What the exception being handled means as a download's result: out of memory for an
// allocation that failed, a plain failure for anything else. Only inside a catch block.
inline HRESULT hresult_of_current_exception() noexcept {
    try {
        throw;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
}
