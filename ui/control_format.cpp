// control_format.cpp: field formats kept with edits and statics, and the
// edits held to them as the player types.
#include <QAbstractSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QValidator>

#include "base/cp1252.h"
#include "base/date.h"
#include "base/field_value.h"
#include "ui/control_qt.h"

namespace cbst {
namespace {

constexpr char kFormatName[] = "cbst_field_format";
// A number's text stands this far from the right of its field.
constexpr int kNumberInset = 6;

class FormatKeeper final : public QObject {
 public:
  FormatKeeper(QObject* control, const FieldFormat& kept) : QObject(control), format(kept) {
    setObjectName(kFormatName);
  }
  FieldFormat format;
};

std::string Bytes(const QString& text) {
  return Utf8ToCp1252(text.toStdString());
}

// Takes a number while it can still become one the format reads: digits,
// the separators, a sign when the limits allow one; no more decimals than
// the format has.
class NumberValidator final : public QValidator {
 public:
  NumberValidator(const FieldFormat& format, QObject* parent)
      : QValidator(parent), format_(format) {}

  State validate(QString& input, int&) const override {
    const std::string text = Bytes(input);
    const Separators& separators = CurrentSeparators();
    const bool negative_allowed = format_.minimum < 0 || !(format_.maximum > format_.minimum);
    int decimals = -1;  // -1: no decimal separator yet
    for (std::size_t at = 0; at < text.size(); ++at) {
      const char character = text[at];
      if (character >= '0' && character <= '9') {
        if (decimals >= 0 && ++decimals > format_.decimals) return Invalid;
      } else if (character == '-' && at == 0 && negative_allowed) {
      } else if (character == separators.decimal && format_.decimals > 0 && decimals < 0) {
        decimals = 0;
      } else if (character == separators.thousands && (format_.flags & kFormatThousands) &&
                 decimals < 0) {
      } else if (character != ' ') {
        return Invalid;
      }
    }
    const std::optional<double> value = ReadValue(format_, text);
    if (value) return Acceptable;
    // Beyond the limits: a number that is too large never comes back by
    // typing more digits.
    if (format_.maximum > format_.minimum) {
      FieldFormat unbounded = format_;
      unbounded.maximum = unbounded.minimum = 0;
      unbounded.flags &= ~kFormatNotZero;
      const std::optional<double> typed = ReadValue(unbounded, text);
      if (typed && *typed / (format_.scale > 1 ? format_.scale : 1) > format_.maximum && *typed > 0)
        return Invalid;
    }
    return Intermediate;
  }

 private:
  FieldFormat format_;
};

// Makes what is typed upper case, keeping the caret where it was.
void KeepUpperCase(QLineEdit* edit) {
  QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& text) {
    const QString upper = text.toUpper();
    if (upper == text) return;
    const int caret = edit->cursorPosition();
    edit->setText(upper);
    edit->setCursorPosition(caret);
  });
}

}  // namespace

const FieldFormat* FormatOf(const QWidget* control) {
  const auto* keeper =
      control ? control->findChild<FormatKeeper*>(kFormatName, Qt::FindDirectChildrenOnly)
              : nullptr;
  return keeper ? &keeper->format : nullptr;
}

void ApplyFormat(QWidget* control, const FieldFormat& format) {
  if (auto* keeper = control->findChild<FormatKeeper*>(kFormatName, Qt::FindDirectChildrenOnly)) {
    keeper->format = format;
  } else {
    new FormatKeeper(control, format);
  }
  const bool numeric = (format.flags & kFormatNumeric) != 0;
  if (auto* label = qobject_cast<QLabel*>(control)) {
    if (numeric) label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return;
  }
  QLineEdit* edit = qobject_cast<QLineEdit*>(control);
  if (!edit && qobject_cast<QAbstractSpinBox*>(control)) return;  // spin boxes keep their own
  if (!edit) return;
  if (format.edit_length > 0) edit->setMaxLength(format.edit_length);
  if (format.flags & kFormatUpper) KeepUpperCase(edit);
  if (numeric) {
    if (const QValidator* old = edit->validator(); old && old->parent() == edit) delete old;
    edit->setValidator(new NumberValidator(format, edit));
    edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    edit->setTextMargins(0, 0, kNumberInset, 0);
  }
}

}  // namespace cbst
