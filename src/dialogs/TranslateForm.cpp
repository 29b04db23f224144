#include "dialogs/TranslateForm.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QTabWidget>
#include <QVariant>
#include <QWidget>
#include <string>

#include "dialogs/TranslationTag.h"
#include "dialogs/Twips.h"
#include "dialogs/WriteLog.h"
#include "platform/WindowSystem.h"
#include "util/Language.h"

namespace zpk::dialogs {

namespace {

QString FromTag(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The hourglass over the form while it is being translated, restored on every way out.
class BusyCursor {
 public:
  explicit BusyCursor(QWidget& form) : form_(form) { form_.setCursor(Qt::WaitCursor); }
  ~BusyCursor() { form_.unsetCursor(); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;

 private:
  QWidget& form_;
};

// Sets the caption of a control that has one. Returns false for kinds without a caption
// (a text box, a list), which then keep their text.
bool SetCaption(QWidget& control, const QString& caption) {
  if (auto* button = qobject_cast<QAbstractButton*>(&control)) {
    button->setText(caption);
  } else if (auto* label = qobject_cast<QLabel*>(&control)) {
    label->setText(caption);
  } else if (auto* group = qobject_cast<QGroupBox*>(&control)) {
    group->setTitle(caption);
  } else {
    return false;
  }
  return true;
}

void TranslateTabs(QTabWidget& tabs, std::span<const std::string_view> alternatives) {
  for (int page = 0; page < tabs.count(); ++page) {
    const auto text = PagedAlternative(alternatives, tabs.count(), util::LanguageIndex, page);
    if (!text) continue;
    // A page with a picture keeps two blanks between the picture and its caption.
    const QString prefix = tabs.tabIcon(page).isNull() ? QString() : QStringLiteral("  ");
    tabs.setTabText(page, prefix + FromTag(*text));
  }
}

void TranslateHeaders(QAbstractItemView& view, std::span<const std::string_view> alternatives) {
  QAbstractItemModel* model = view.model();
  if (model == nullptr) return;
  const int columns = model->columnCount();
  for (int column = 0; column < columns; ++column) {
    const auto text = PagedAlternative(alternatives, columns, util::LanguageIndex, column);
    if (text) model->setHeaderData(column, Qt::Horizontal, FromTag(*text));
  }
}

void TranslateControl(QWidget& form, QWidget& control, std::span<const std::string_view> alternatives) {
  const FourWayChoice choice = ChooseFourWay(alternatives, util::LanguageIndex);
  bool captionSet = false;
  if (choice.caption) captionSet = SetCaption(control, FromTag(*choice.caption));
  if (choice.tooltip) control.setToolTip(QLatin1Char(' ') + FromTag(*choice.tooltip));
  if (captionSet && choice.fitWidth) {
    const int textWidth = QFontMetrics(form.font()).horizontalAdvance(FromTag(*choice.caption));
    control.resize(textWidth + TwipsToPixelsX(form, 300), control.height());
  }
}

void ReportMalformedTag(QWidget& form, QWidget& control, platform::WindowSystem& windows) {
  const QString text = TranslationSettingsMessage(form.objectName(), control.objectName());
  windows.Beep();
  windows.ShowMessage(text + QStringLiteral("\n\n(Msg logged, send LOG file to Quill...)"),
                      platform::MsgIcon::Critical, QStringLiteral("An Quill:"));
  const bool previous = ForceLog;
  ForceLog = true;
  WriteLog(text);
  ForceLog = previous;
}

}  // namespace

void SetTranslationTag(QObject& holder, const QString& tag) {
  holder.setProperty(kTranslationTagProperty, tag);
}

QString TranslationTag(const QObject& holder) {
  return holder.property(kTranslationTagProperty).toString();
}

QString TranslationSettingsMessage(const QString& formName, const QString& controlName) {
  return QStringLiteral("Please check translation settings: (F: ") + formName +
         QStringLiteral(", C: ") + controlName + QLatin1Char(')');
}

void TranslateForm(QWidget& form, platform::WindowSystem& windows) {
  BusyCursor busy(form);

  const std::string formTag = TranslationTag(form).toStdString();
  if (!formTag.empty()) {
    const auto alternatives = SplitTag(formTag);
    if (const auto caption = AlternativeAt(alternatives, util::LanguageIndex)) {
      form.setWindowTitle(QLatin1Char(' ') + FromTag(*caption));
    }
  }

  // findChildren lists in creation order, parents before their children.
  for (QWidget* control : form.findChildren<QWidget*>()) {
    const std::string tag = TranslationTag(*control).toStdString();
    if (IsUntranslatedTag(tag)) continue;
    const auto alternatives = SplitTag(tag);
    if (auto* tabs = qobject_cast<QTabWidget*>(control)) {
      TranslateTabs(*tabs, alternatives);
    } else if (auto* view = qobject_cast<QAbstractItemView*>(control)) {
      TranslateHeaders(*view, alternatives);
    } else if (alternatives.size() == 4) {
      TranslateControl(form, *control, alternatives);
    } else {
      ReportMalformedTag(form, *control, windows);
    }
  }
}

}  // namespace zpk::dialogs
