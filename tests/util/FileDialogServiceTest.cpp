#include "FileDialogService.h"

#include <gtest/gtest.h>

using namespace trb;

TEST(FileDialogService, MenuFiltersBecomeQtNameFiltersWithTheirPatterns)
{
    const struct {
        const char *menu;
        QStringList qt;
    } cases[] = {
        {"Config File(*.dcf)|*.dcf||", {"Config File(*.dcf)"}},
        {"(*.DCF)|*.dcf|(*.*)|*.*||", {"(*.DCF) (*.dcf)", "(*.*)"}},
        {"ACL File(*.acl)|*.acl|All Files(*.*)|*.*||", {"ACL File(*.acl)", "All Files(*.*)"}},
        {"Pictures|*.jpg;*.gif||", {"Pictures (*.jpg *.gif)"}},
        {"", {}},
        {"dangling|", {}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(QtNameFilters(QString::fromLatin1(c.menu)), c.qt) << c.menu;
}
