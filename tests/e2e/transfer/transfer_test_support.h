#pragma once
// Helpers shared by the transfer tests: the simulator's image as the window's type and
// runs of command values.

#include <algorithm>

#include <QList>

#include "factory_image.h"
#include "image/config_image.h"

inline q9tx::ConfigImage AsConfigImage(const q9tx::sim::ImageBytes& bytes)
{
    q9tx::ConfigImage image{};
    std::copy(bytes.begin(), bytes.end(), image.begin());
    return image;
}

inline QList<int> Range(int first, int last)
{
    QList<int> values;
    for (int value = first; value <= last; ++value)
        values << value;
    return values;
}

template <typename Frames>
QList<int> Commands(const Frames& frames)
{
    QList<int> commands;
    for (const auto& frame : frames)
        commands << frame.command;
    return commands;
}
