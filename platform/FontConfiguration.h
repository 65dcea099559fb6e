#pragma once

#include <thread>

// Reads the system's font configuration on a thread of its own while the
// toolkit connects to the display. It is the largest single cost of a start,
// and the first window cannot measure its text without it. Wait() (or the
// end of the object) joins the thread, so nothing runs beside the toolkit
// once it is up.
class TFontConfigurationReader {
public:
    TFontConfigurationReader();
    ~TFontConfigurationReader() { Wait(); }
    TFontConfigurationReader(const TFontConfigurationReader&) = delete;
    TFontConfigurationReader& operator=(const TFontConfigurationReader&) = delete;

    void Wait();

private:
    std::thread m_reader;
};
