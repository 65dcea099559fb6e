#pragma once

#include <functional>
#include <memory>
#include <utility>

// A program-wide print dialog, made the first time it is wanted rather than
// at start-up: a start that prints nothing never builds it. Null until the
// program allows it and again once released.
template <typename Dialog>
class TDialogOnDemand {
public:
    void Allow(std::function<void()> onPrinterSettings)
    {
        m_allowed = true;
        m_onPrinterSettings = std::move(onPrinterSettings);
    }

    Dialog* Get()
    {
        if (m_allowed && !m_dialog) {
            m_dialog = std::make_unique<Dialog>();
            m_dialog->OnPrinterSettings = m_onPrinterSettings;
        }
        return m_dialog.get();
    }

    void Release()
    {
        m_dialog.reset();
        m_allowed = false;
        m_onPrinterSettings = nullptr;
    }

private:
    bool m_allowed = false;
    std::function<void()> m_onPrinterSettings;
    std::unique_ptr<Dialog> m_dialog;
};
