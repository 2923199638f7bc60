#include "image/text_field.h"

#include <algorithm>
#include <stdexcept>

namespace q9tx {

namespace {

void CheckInside(std::size_t offset, std::size_t width)
{
    if (offset > kImageSize || width > kImageSize - offset) {
        throw std::out_of_range("text field outside the configuration image");
    }
}

}  // namespace

void WriteTextField(ConfigImage& image, std::size_t offset, std::size_t width, std::string_view text)
{
    CheckInside(offset, width);
    const std::size_t length = std::min(text.size(), width);
    const auto field = image.begin() + static_cast<std::ptrdiff_t>(offset);
    std::copy_n(text.begin(), length, field);
    std::fill(field + static_cast<std::ptrdiff_t>(length), field + static_cast<std::ptrdiff_t>(width), 0);
}

std::string ReadTextField(const ConfigImage& image, std::size_t offset, std::size_t width)
{
    CheckInside(offset, width);
    const auto begin = image.begin() + static_cast<std::ptrdiff_t>(offset);
    const auto end = begin + static_cast<std::ptrdiff_t>(width);
    return std::string(begin, std::find(begin, end, 0));
}

}  // namespace q9tx
