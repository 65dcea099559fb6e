#include "document/BlankFormUnit.h"

// Placeholder until the editor panel lands.
void TfrmBlank::CreateEditors() {}
void TfrmBlank::EditorChange(QObject*) {}
void TfrmBlank::DataToEditors() {}
void TfrmBlank::ColorPanelClick(QWidget*) {}
void TfrmBlank::StretchEditors() {}
QWidget* TfrmBlank::EditorOfTag(int) const { return nullptr; }
QVariant TfrmBlank::GetEditorValue(int) const { return {}; }
void TfrmBlank::SetEditorValue(int, const QVariant&) {}
