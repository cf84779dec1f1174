#include "app/Downloaddemo_U.h"
#include "download/moniker_layer.h"

#include <gtest/gtest.h>

TEST(FormInitial, StatusTextIsTheInvitation) {
    MonikerLayer layer;
    FormOptions options;
    TForm1 form(layer, options);
    EXPECT_EQ(form.pipeline.status_text.size(), 38u);
}
