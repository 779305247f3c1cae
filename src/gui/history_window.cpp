#include "gui/history_window.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/widgets.h"
#include "gui/window_texts.h"
#include "ui/secondary_windows.h"

namespace silvarone::gui {

HistoryWindow::HistoryWindow(Language language, const std::vector<std::string>& lines,
                             QWidget* parent)
    : QDialog(parent) {
  setObjectName("THistoryForm");
  auto* memo = new QPlainTextEdit(this);
  memo->setObjectName("HistoryMemo");
  memo->setReadOnly(true);
  memo->setLineWrapMode(QPlainTextEdit::NoWrap);
  QStringList text;
  for (const std::string& line : lines)
    text << ToQString(line);
  memo->setPlainText(text.join('\n'));
  auto* ok = new QPushButton(this);
  ok->setObjectName("OK_btn");
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(memo, 1);
  layout->addLayout(buttons);
  ApplyTexts(this, HistoryWindowTexts(language));
  resize(640, 480);
}

}  // namespace silvarone::gui
