// The "写入后校验" check item, and the other-model question that Enter
// must not answer with Yes.
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include "app_fixture.h"
#include "command_ids.h"
#include "link/link_settings.h"
#include "main_frame.h"
#include "profile/ini_document.h"

namespace kavir::app::test {
namespace {

class VerifyMenuTest : public AppTest {};

TEST_F(VerifyMenuTest, CheckItemInTheToolsMenuIsStoredAndDecidesWhetherAWriteIsVerified) {
  StartFrame();
  radio_->radio().faults.corrupt_store = 100;
  QAction* verify = frame_->action(kCmdVerifyAfterWrite);
  ASSERT_NE(verify, nullptr);
  QMenu* tools = nullptr;
  for (QAction* m : frame_->menuBar()->actions())
    if (m->text().startsWith(QStringLiteral("工具"))) tools = m->menu();
  ASSERT_NE(tools, nullptr);
  EXPECT_TRUE(tools->actions().contains(verify));
  EXPECT_EQ(verify->text(), QStringLiteral("写入后校验"));
  ASSERT_TRUE(verify->isCheckable());
  EXPECT_TRUE(verify->isChecked());

  struct Case {
    bool checked;
    bool message_names_the_byte;
  } cases[] = {{true, true}, {false, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.checked);
    verify->setChecked(c.checked);
    EXPECT_EQ(ReadVerifyAfterWrite(ReadIniFile(frame_->view().files().kavir_ini)), c.checked);
    BoxAnswerer boxes({QMessageBox::Yes, QMessageBox::Ok});
    frame_->action(kCmdWrite)->trigger();
    const QString shown = boxes.texts.join("\n");
    EXPECT_EQ(shown.contains(QStringLiteral("0x064")), c.message_names_the_byte) << shown.toStdString();
    EXPECT_EQ(shown.contains(QStringLiteral("CH07")), c.message_names_the_byte);
  }

  // A new start takes the stored choice.
  frame_.reset();
  StartFrame();
  EXPECT_FALSE(frame_->action(kCmdVerifyAfterWrite)->isChecked());
}

TEST_F(VerifyMenuTest, EnterAtTheOtherModelQuestionDoesNotWrite) {
  StartFrame();
  radio_->radio().set_model(2);
  QStringList texts;
  QList<QMessageBox*> seen;
  QTimer poll;
  poll.setInterval(10);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || seen.contains(box)) return;
    seen << box;
    texts << box->text();
    if (seen.size() == 1)  // the confirmation
      QMetaObject::invokeMethod(box->button(QMessageBox::Yes), "click", Qt::QueuedConnection);
    else
      QTest::keyClick(box, Qt::Key_Return);
  });
  poll.start();
  frame_->action(kCmdWrite)->trigger();
  ASSERT_GE(texts.size(), 2);  // then the closing message
  EXPECT_TRUE(texts[1].contains(QStringLiteral("电台回答的机型是"))) << texts[1].toStdString();
  EXPECT_EQ(radio_->radio().completed_writes(), 0);
}

}  // namespace
}  // namespace kavir::app::test
