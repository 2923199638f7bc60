// The window carries the programmer's own icon at every installed size and the name of
// its desktop entry, so that menus, task bars and Wayland shells show them together.

#include <QDir>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QTest>

#include "app/application_icon.h"
#include "app/q9tx_application.h"

namespace {

const QDir packaging(QStringLiteral(Q9TX_PACKAGING_DIR));

QString DesktopEntryValue(const QString& key)
{
    QFile entry(packaging.filePath(QStringLiteral("q9tx-programmer.desktop")));
    if (!entry.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    const QString prefix = key + QLatin1Char('=');
    for (const QString& line : QString::fromUtf8(entry.readAll()).split(QLatin1Char('\n'))) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size());
    }
    return {};
}

}  // namespace

class ApplicationIdentityTest : public QObject {
    Q_OBJECT
private slots:
    void desktopEntryMatchesTheWindow()
    {
        QCOMPARE(QGuiApplication::desktopFileName(), q9tx::ApplicationId());
        QCOMPARE(DesktopEntryValue(QStringLiteral("Icon")), q9tx::IconName());
        QCOMPARE(DesktopEntryValue(QStringLiteral("Exec")), QStringLiteral("q9tx-programmer %f"));
        QVERIFY(packaging.exists(QStringLiteral("icons/") + q9tx::IconName() + QStringLiteral(".svg")));
    }

    void windowIconHasEverySize_data()
    {
        QTest::addColumn<QString>("folder");
        const QStringList sizes =
            QDir(packaging.filePath(QStringLiteral("icons/hicolor"))).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        QVERIFY(!sizes.isEmpty());
        for (const QString& size : sizes)
            QTest::newRow(qPrintable(size)) << size;
    }

    void windowIconHasEverySize()
    {
        QFETCH(QString, folder);
        const int side = folder.section(QLatin1Char('x'), 0, 0).toInt();
        const QSize size(side, side);
        QVERIFY(QGuiApplication::windowIcon().availableSizes().contains(size));
        const QImage shown = QGuiApplication::windowIcon().pixmap(size).toImage();
        const QImage rendered(packaging.filePath(QStringLiteral("icons/hicolor/%1/apps/%2.png")
                                                     .arg(folder, q9tx::IconName())));
        QCOMPARE(rendered.size(), size);
        // Premultiplied, as a pixmap stores them, so that rounding translucent pixels does not count.
        QCOMPARE(shown.convertToFormat(QImage::Format_ARGB32_Premultiplied),
                 rendered.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    }
};

int main(int argc, char** argv)
{
    Q9txApplication app(argc, argv);
    ApplicationIdentityTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "application_identity_test.moc"
