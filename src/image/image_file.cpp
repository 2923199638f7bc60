#include "image/image_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "image/file_descriptor.h"
#include "image/file_save.h"

namespace q9tx {
namespace {

class NoFaults : public SaveFaults {
public:
    int failure(SaveStep) override { return 0; }
};

}  // namespace

ImageFileRead ReadImageFile(const std::string& path, ConfigImage& image)
{
    const Descriptor file(OpenRegular(path, O_RDONLY));
    if (file.get() < 0)
        return ImageFileRead::NotReadable;
    std::size_t count = 0;
    while (count < image.size()) {
        const ssize_t n = ::read(file.get(), image.data() + count, image.size() - count);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        count += static_cast<std::size_t>(n);
    }
    return count == image.size() ? ImageFileRead::Read : ImageFileRead::Short;
}

bool WriteImageFile(const std::string& path, const ConfigImage& image)
{
    NoFaults none;
    return WriteImageFile(path, image, none);
}

bool WriteImageFile(const std::string& path, const ConfigImage& image, SaveFaults& faults)
{
    return SaveFile(path, image, faults);
}

}  // namespace q9tx
