#include "tests/gui/window_fixture.h"

#include <QCheckBox>

TEST_F(WindowTest, OptionsCheckBoxFollowsItsModelBothWays) {
    auto* box = find<QCheckBox>("read_current_engines");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), "Read current forum engines");
    EXPECT_TRUE(box->isChecked());

    box->click();
    EXPECT_FALSE(form_->read_current_engines.checked());
    form_->read_current_engines.set_checked(true);
    EXPECT_TRUE(box->isChecked());
}
