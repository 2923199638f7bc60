// The image harnesses' settings: the main window with a link that does nothing.

#include <QApplication>
#include <QComboBox>

#include "app/tform1.h"
#include "conversion_target.h"
#include "editor/error_box.h"
#include "fake_link.h"
#include "find_control.h"

namespace {

class WindowTarget final : public ConversionTarget {
public:
    int MapVersionIndex() const override
    {
        return Control<QComboBox>(window_, QStringLiteral("mapVersion"))->currentIndex();
    }
    void Decode(const q9tx::ConfigImage& image) override { window_.DecodeImage(image); }
    bool SettingsValid() override { return window_.ValidateSettings(); }
    q9tx::ConfigImage Encode(const std::optional<q9tx::ImageHeader>& header) override
    {
        return window_.EncodeImage(header);
    }

private:
    FakeLink link_;
    TForm1 window_{link_};
};

}  // namespace

std::unique_ptr<ConversionTarget> MakeConversionTarget() { return std::make_unique<WindowTarget>(); }

void InitialiseOffscreenApplication()
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication application(argc, argv);
    // What the rules would show in a box is of no interest here, only that nothing breaks.
    q9tx::SetErrorReporter([](const QString&) {});
}
