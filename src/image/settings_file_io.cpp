#include "image/settings_file_io.h"

#include "image/image_file.h"
#include "image/status_error.h"
#include "image/status_texts.h"

namespace q9tx {

ConfigImage ReadSettingsFile(const std::string& path)
{
    ConfigImage image{};
    switch (ReadImageFile(path, image)) {
    case ImageFileRead::Read:
        return image;
    case ImageFileRead::NotReadable:
        throw StatusError(StatusFileNotRead);
    case ImageFileRead::Short:
        break;
    }
    throw StatusError(StatusFileCorrupted);
}

void WriteSettingsFile(const std::string& path, const ConfigImage& image)
{
    if (!WriteImageFile(path, image))
        throw StatusError(StatusFileNotWritten);
}

}  // namespace q9tx
