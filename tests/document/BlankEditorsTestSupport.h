#pragma once

#include "document/BlankFile.h"
#include "document/BlankFormUnit.h"
#include "helpers/TempConfig.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

// Document windows with their editor panels, a registry of their own and the
// Polish locale restored after each test.
class BlankEditorsFixture : public ::testing::Test {
protected:
    void TearDown() override { QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland)); }

    static std::unique_ptr<TfrmBlank> NewForm(quint16 kind)
    {
        auto form = std::make_unique<TfrmBlank>(nullptr, kind);
        // Offscreen, but laid out and able to take mouse clicks like a real window.
        form->show();
        return form;
    }

    std::unique_ptr<TfrmBlank> FormFromFile(const TBlankData& data)
    {
        const QString path = dir.filePath(QStringLiteral("dokument.wpt"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(WriteBlankFile(data)) < 0)
            return nullptr;
        file.close();
        auto form = std::make_unique<TfrmBlank>(nullptr, path);
        form->show();
        return form;
    }

    // Lets the repaint timer catch up, so that a stale preview afterwards is news.
    static bool WaitForRepaint(const TfrmBlank& form)
    {
        return QTest::qWaitFor([&] { return !form.NeedRefresh(); }, 2000);
    }

    TempConfig config;
    QTemporaryDir dir;
};

template <class T>
T* EditorAs(const TfrmBlank& form, int tag)
{
    return qobject_cast<T*>(form.EditorOfTag(tag));
}

inline QWidget* PanelOf(const TfrmBlank& form)
{
    QWidget* amount = form.EditorOfTag(1);
    return amount ? amount->parentWidget() : nullptr;
}

inline QStringList EntriesOf(const QComboBox* list)
{
    QStringList entries;
    for (int i = 0; i < list->count(); ++i)
        entries << list->itemText(i);
    return entries;
}
