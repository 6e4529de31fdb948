#include "ControlRange.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>

using namespace trb;

TEST(EnableControlRange, SwitchesOnlyNumberedControlsInRange)
{
    QWidget page;
    auto *group = new QGroupBox(&page); // controls may sit inside group boxes
    auto *layout = new QVBoxLayout(group);
    QList<QLineEdit *> edits;
    for (int id = 100; id <= 105; ++id) {
        auto *edit = new QLineEdit(group);
        layout->addWidget(edit);
        SetControlId(edit, id);
        edits << edit;
    }
    auto *unnumbered = new QLineEdit(&page);

    EnableControlRange(&page, 101, 103, false);
    for (int i = 0; i < edits.size(); ++i) {
        const int id = 100 + i;
        EXPECT_EQ(edits[i]->isEnabled(), id < 101 || id > 103) << id;
    }
    EXPECT_TRUE(unnumbered->isEnabled());
    EXPECT_TRUE(group->isEnabled());

    EnableControlRange(&page, 100, 105, true);
    for (QLineEdit *edit : edits)
        EXPECT_TRUE(edit->isEnabled());

    EnableControlRange(nullptr, 0, 1000, false); // no window: nothing to do
    EnableControlRange(&page, 105, 100, false);  // empty range
    EXPECT_TRUE(edits.last()->isEnabled());
}
