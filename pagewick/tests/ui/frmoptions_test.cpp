#include "core/settingsfiles.h"
#include "helpers/qtsupport.h"
#include "ui/frmoptions.h"

#include <QComboBox>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

namespace pw {
namespace {

TEST(FrmOptionsTest, OkSavesBackAndExitDoNot)
{
    test::WindowWorld world;
    const std::string file = world.program / kOptionsFileName;
    for (const char* leave : {"imgBack", "imgExit"}) {
        frmOptions options(world.context, 0, nullptr);
        options.show();
        options.findChild<QComboBox*>("cmbSR")->setCurrentIndex(1);
        QTest::mouseClick(options.findChild<QWidget*>(leave), Qt::LeftButton);
        EXPECT_EQ(options.result(), QDialog::Rejected) << leave;
        EXPECT_EQ(options.ReminderIndex(), 0) << leave;
        EXPECT_FALSE(std::filesystem::exists(file)) << leave;
    }

    frmOptions options(world.context, 1, nullptr);
    options.show();
    options.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&options));
    auto* choice = options.findChild<QComboBox*>("cmbSR");
    EXPECT_EQ(choice->currentText(), "OFF");
    EXPECT_EQ(choice->count(), 2);
    choice->setCurrentIndex(0);
    QTest::keyClick(&options, Qt::Key_Return); // Enter is OK
    EXPECT_EQ(options.result(), QDialog::Accepted);
    EXPECT_EQ(options.ReminderIndex(), 0);
    EXPECT_EQ(test::ReadFile(file), "0\r\n");
    EXPECT_EQ(ReadOptionsFile(file), 0);
}

} // namespace
} // namespace pw
