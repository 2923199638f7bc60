#pragma once
// What the transfer tests compare after a run against the simulated pager: the frames
// of the transfers, and the values the editor shows.

#include <algorithm>
#include <vector>

#include <QStringList>

#include "app/tform1.h"
#include "conversion_support.h"
#include "image/image_layout.h"
#include "link/frame.h"
#include "simulated_pager.h"

// The frames of the transfers, without the link's polls and questions.
inline std::vector<q9tx::sim::ReceivedFrame> TransferFrames(const q9tx::sim::SimulatedPager& pager)
{
    std::vector<q9tx::sim::ReceivedFrame> frames = pager.receivedFrames();
    std::erase_if(frames, [](const q9tx::sim::ReceivedFrame& frame) { return frame.command < q9tx::CmdReadBlock; });
    return frames;
}

// "name=value" of every control the image carries, but the excluded ones.
inline QStringList CarriedValues(const TForm1& window, const QStringList& excluded = {})
{
    QStringList values;
    for (const q9tx::ImageField& field : q9tx::ImageLayout()) {
        const QString name = QString::fromStdString(field.control);
        if (!name.isEmpty() && !excluded.contains(name))
            values << name + u'=' + ValueOf(window, name);
    }
    values.removeDuplicates();
    return values;
}
