#include "app/Downloaddemo_U.h"

// Placeholder until the list-file commands land.
void TForm1::Openlist1Click() {}
void TForm1::Savelist1Click() {}
void TForm1::Save1Click() {}
void TForm1::OpenList2Click() {}
void TForm1::google_listDblClick() {}
void TForm1::result_listDblClick() {}
void TForm1::FileListBox1Click() {}
void TForm1::Button2Click() {}
