#include "platform/FontConfiguration.h"

#include <fontconfig/fontconfig.h>

TFontConfigurationReader::TFontConfigurationReader()
    : m_reader([] {
        // The library is made for calls from any thread; the toolkit's own
        // call later finds the configuration in place.
        FcInit();
    })
{
}

void TFontConfigurationReader::Wait()
{
    if (m_reader.joinable())
        m_reader.join();
}
