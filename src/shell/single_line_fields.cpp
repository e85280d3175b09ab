#include "shell/single_line_fields.h"

#include <QLineEdit>
#include <QValidator>

#include "shell/outside_text.h"

namespace skyloom {
namespace {

bool isControl(QChar c) {
    return c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() < 0xA0);
}

// A validator may mend what it is given; the field then holds the mended text.
class ControlsToBlanks final : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int& pos) const override {
        QString mended;
        mended.reserve(input.size());
        int newPos = pos;
        for (qsizetype i = 0; i < input.size(); ++i) {
            const QChar c = input.at(i);
            const bool crlf = c == QLatin1Char('\r') && i + 1 < input.size() &&
                              input.at(i + 1) == QLatin1Char('\n');
            if (crlf) {
                if (i < pos) --newPos;  // CR LF is one line break, so one blank
                continue;
            }
            mended += isControl(c) ? QChar(u' ') : c;
        }
        if (mended != input) {
            input = mended;
            pos = newPos;
        }
        return Acceptable;
    }
};

}  // namespace

void keepFieldsOnOneLine(QWidget* window) {
    auto* validator = new ControlsToBlanks(window);
    for (QLineEdit* field : window->findChildren<QLineEdit*>())
        if (!field->validator()) field->setValidator(validator);
}

std::string asFieldHoldsIt(const std::string& bytes) {
    QString text = shownText(bytes);
    int position = 0;
    ControlsToBlanks().validate(text, position);
    return text.toStdString();
}

}  // namespace skyloom
