// The binding callback's answers to the layer's questions, asked directly, and the
// component's derived values.

#include "download/bscb.h"
#include "download/moniker_layer.h"

#include <gtest/gtest.h>

namespace {

constexpr HRESULT handler_result = hresult(0x80070005u);

// A TBSCB whose start failed (its URL is not one), so that nothing else talks to it.
struct IdleCallback {
    MonikerLayer layer;
    TUrlDownload download{layer};
    std::unique_ptr<TBSCB> bscb;

    IdleCallback() {
        TInfo info;
        info.owner = &download;
        info.Url = "not a url";
        info.VerbCode = 1;
        info.PostData = "abc";
        info.BindFlags = 0xB3;
        info.CodePage = 65001;
        info.SecurityDescriptor = "D:P";
        info.InheritHandle = true;
        info.ExtraInfo = "extra";
        bscb = std::make_unique<TBSCB>(info);
    }
};

TEST(BindingCallback, QueryInterfaceAnswersItsFourInterfacesOnly) {
    IdleCallback c;
    void* object = nullptr;
    EXPECT_EQ(c.bscb->QueryInterface(IID_IWindowForBindingUI, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(c.bscb->QueryInterface(IID_IStream, &object), E_NOINTERFACE);

    const std::int32_t before = c.download.reference_counter().load();
    void* unknown = nullptr;
    void* security = nullptr;
    ASSERT_EQ(c.bscb->QueryInterface(IID_IUnknown, &unknown), S_OK);
    ASSERT_EQ(c.bscb->QueryInterface(IID_IHttpSecurity, &security), S_OK);
    EXPECT_EQ(unknown, security) << "IUnknown is answered with IHttpSecurity";
    EXPECT_EQ(c.download.reference_counter().load(), before + 2) << "every answer adds a reference";

    for (const TGUID& iid : {IID_IAuthenticate, IID_IHttpNegotiate, IID_IBindStatusCallback}) {
        void* found = nullptr;
        EXPECT_EQ(c.bscb->QueryInterface(iid, &found), S_OK);
        EXPECT_NE(found, nullptr);
    }
    // GetWindow stays reachable through IHttpSecurity.
    Cardinal hwnd = 7;
    EXPECT_EQ(static_cast<IHttpSecurity*>(security)->GetWindow(IID_IHttpSecurity, hwnd), S_OK);
    EXPECT_EQ(hwnd, 7u);
    const std::int32_t after_release = c.bscb->Release();
    EXPECT_EQ(after_release, c.download.reference_counter().load());
}

TEST(BindingCallback, GetBindInfoHandsOverTheSettingsAndThePostBody) {
    IdleCallback c;
    Cardinal flags = 0;
    BINDINFO info;
    const std::int32_t before = c.download.reference_counter().load();
    ASSERT_EQ(c.bscb->GetBindInfo(flags, info), S_OK);
    EXPECT_EQ(flags, 0xB3u);
    EXPECT_EQ(info.cbSize, 84u);
    EXPECT_EQ(info.dwBindVerb, 1u);
    EXPECT_EQ(info.dwCodePage, 65001u);
    EXPECT_EQ(info.grfBindInfoF, 0u);
    EXPECT_EQ(info.securityAttributes.nLength, 12u);
    EXPECT_EQ(info.securityAttributes.lpSecurityDescriptor, "D:P");
    EXPECT_TRUE(info.securityAttributes.bInheritHandle);
    EXPECT_EQ(info.szExtraInfo, u"extra");
    EXPECT_EQ(info.stgmedData.tymed, TYMED_HGLOBAL);
    ASSERT_NE(info.stgmedData.hGlobal, nullptr);
    EXPECT_EQ(*info.stgmedData.hGlobal, (std::vector<std::uint8_t>{'a', 'b', 'c', 0}));
    EXPECT_EQ(info.cbstgmedData, 4u);
    EXPECT_EQ(info.stgmedData.pUnkForRelease, static_cast<IUnknown*>(static_cast<IBindStatusCallback*>(c.bscb.get())));
    EXPECT_EQ(c.download.reference_counter().load(), before + 1);

    // After a redirect report the verb is GET and no medium is handed over.
    c.bscb->OnProgress(0, 0, 3, u"http://elsewhere/");
    BINDINFO redirected;
    c.bscb->GetBindInfo(flags, redirected);
    EXPECT_EQ(redirected.dwBindVerb, 0u);
    EXPECT_EQ(redirected.stgmedData.tymed, TYMED_NULL);
    c.bscb->OnProgress(0, 0, 5, u"");
    BINDINFO again;
    c.bscb->GetBindInfo(flags, again);
    EXPECT_EQ(again.dwBindVerb, 1u);
}

TEST(BindingCallback, AuthenticateAnswersFromTheSettingsOrTheHandler) {
    IdleCallback c;
    std::uintptr_t hwnd = 0;
    std::u16string user = u"x", password = u"y";
    EXPECT_EQ(c.bscb->Authenticate(hwnd, user, password), S_OK);
    EXPECT_EQ(user, u"");  // none: the settings hold no user name
    EXPECT_EQ(password, u"");

    c.download.OnAuthenticate = [](TBSCB&, std::uintptr_t&, std::u16string& u, std::u16string&) {
        u = u"handler";
        return handler_result;
    };
    EXPECT_EQ(c.bscb->Authenticate(hwnd, user, password), handler_result);
    EXPECT_EQ(user, u"handler");
}

TEST(Component, DerivedValuesFollowTheProperties) {
    MonikerLayer layer;
    TUrlDownload download(layer);
    EXPECT_EQ(download.bind_flags(), 0xB3u);
    EXPECT_EQ(download.TimeOut, 0);
    EXPECT_EQ(download.UserAgent, "");
    EXPECT_EQ(download.AdditionalHeader, (std::vector<std::string>{"Content-Type: application/x-www-form-urlencoded"}));
    EXPECT_EQ(download.reference_counter().load(), 1);
    download.SetOptions(TBindInfoOptions::synchronous_set());
    EXPECT_EQ(download.bind_flags(), 0xB0u);
    download.SetOptions({TBindInfoOption::Reserved_3});
    EXPECT_EQ(download.bind_flags(), 1u << 23);
    download.SetCodepage(TCodePageOption::UTF8);
    EXPECT_EQ(download.code_page_number(), 65001u);
    download.SetCodepage(TCodePageOption::Symbol);
    EXPECT_EQ(download.code_page_number(), 42u);
    download.SetMethod(TBindVerbOption::Custom);
    EXPECT_EQ(download.verb_code(), 3u);
}

}  // namespace
