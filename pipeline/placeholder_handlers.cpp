#include "app/Downloaddemo_U.h"

void TForm1::wire_download_events() {}
void TForm1::request_googleClick() {}
void TForm1::get_urls_from_google_listClick() {}
void TForm1::google_gotClick() {}
void TForm1::check_page_for_popularClick() {}
void TForm1::get_sites_popularityClick() {}
void TForm1::Timer1Timer() {}
void TForm1::downloadClick() {}
void TForm1::further_actClick() {}
void TForm1::UrlDownload1Progress(TBSCB&, Cardinal, Cardinal, Cardinal) {}
void TForm1::UrlDownload1Data(TBSCB&, const std::vector<std::uint8_t>&, Cardinal) {}
void TForm1::UrlDownload1Complete(TBSCB&, const TMemoryStream*, HRESULT) {}
