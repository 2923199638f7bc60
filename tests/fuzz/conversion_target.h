#pragma once
// The settings that images are decoded into and encoded from, as the image harnesses see
// them: the main window for now. A widget-free settings model can take its place by
// implementing this and MakeConversionTarget.

#include <memory>
#include <optional>

#include "image/config_image.h"

class ConversionTarget {
public:
    virtual ~ConversionTarget() = default;
    // The map version an image's header is checked against (the connected pager's).
    virtual int MapVersionIndex() const = 0;
    // Takes an image that passed ValidateImage.
    virtual void Decode(const q9tx::ConfigImage& image) = 0;
    // The check that must pass before the settings are saved or written.
    virtual bool SettingsValid() = 0;
    // Without a header: the image of a settings file; with one: the image for that pager.
    virtual q9tx::ConfigImage Encode(const std::optional<q9tx::ImageHeader>& header) = 0;
};

// Settings as the program starts with them. Needs the application that
// InitialiseOffscreenApplication makes.
std::unique_ptr<ConversionTarget> MakeConversionTarget();

// A Qt application without a display, made once; the error box only records.
void InitialiseOffscreenApplication();
