#pragma once

#include <QChar>
#include <QObject>

// The typing rules of the amount, account-number and postal-code editors.
// Each takes the typed character and replaces it by code 0 to refuse it.
void edtKwotaKeyPress(QChar& Key);
void edtRachunekKeyPress(QChar& Key);
void edtKodKeyPress(QChar& Key);

// Applies one of the rules above to the characters typed into a widget.
// Keys that type no character (Delete, arrows, Tab) are left alone.
class EditorKeyFilter : public QObject {
public:
    using Rule = void (*)(QChar& Key);

    EditorKeyFilter(Rule rule, QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool Accepts(QChar c) const;

    Rule m_rule;
};
