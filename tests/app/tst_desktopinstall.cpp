// SPDX-License-Identifier: MIT
#include <QDirIterator>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

const QString appId = QStringLiteral(BREVANTA_APP_ID);

/// Runs `program` and returns its exit code, with what it said in `output`.
int run(const QString& program, const QStringList& arguments, QString* output = nullptr) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(120'000))
        return -1;
    if (output)
        *output = QString::fromUtf8(process.readAll());
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

} // namespace

/// The installed app where the desktop looks for it: the binary, the launcher, the icons and the
/// metainfo, from `cmake --install` and inside the .deb.
class TestDesktopInstall : public QObject {
    Q_OBJECT

    QTemporaryDir m_folder;

    // Checks an installed tree under `root` (the /usr of the installation).
    void checkTree(const QString& root) {
        QVERIFY(QFileInfo(root + QStringLiteral("/bin/brevanta")).isExecutable());
        const QString desktop =
            root + QStringLiteral("/share/applications/") + appId + QStringLiteral(".desktop");
        const QString metainfo =
            root + QStringLiteral("/share/metainfo/") + appId + QStringLiteral(".metainfo.xml");
        QString said;
        QVERIFY2(run(QStringLiteral("desktop-file-validate"), {desktop}, &said) == 0 &&
                     said.isEmpty(),
                 qPrintable(said));
        QVERIFY2(run(QStringLiteral("appstreamcli"),
                     {QStringLiteral("validate"), QStringLiteral("--no-net"), metainfo},
                     &said) == 0,
                 qPrintable(said));
        QFile launcher(desktop);
        QVERIFY(launcher.open(QIODevice::ReadOnly));
        const QByteArray entry = launcher.readAll();
        const QByteArray icon = "Icon=" + appId.toUtf8();
        for (const QByteArray& line :
             {QByteArray("Exec=brevanta %F"), QByteArray("MimeType=text/csv;"), icon})
            QVERIFY2(entry.contains(line), line.constData());

        const QString icons = root + QStringLiteral("/share/icons/hicolor/");
        for (const int size : {16, 24, 32, 48, 64, 128, 256, 512}) {
            const QImage icon(icons + QStringLiteral("%1x%1/apps/").arg(size) + appId +
                              QStringLiteral(".png"));
            QCOMPARE(icon.size(), QSize(size, size));
            // The mark fills the middle and leaves the corners clear.
            QVERIFY(qAlpha(icon.pixel(size / 2, size / 3)) == 255);
            QCOMPARE(qAlpha(icon.pixel(0, 0)), 0);
        }
        QFile svg(icons + QStringLiteral("scalable/apps/") + appId + QStringLiteral(".svg"));
        QVERIFY(svg.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&svg);
        int paths = 0;
        while (!xml.atEnd()) {
            if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"path")
                ++paths;
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QCOMPARE(paths, 6);
    }

private Q_SLOTS:
    // The package is made from the install rules, so it checks `cmake --install` as well.
    void packageUnpacksIntoTheSameLayout() {
        QVERIFY(m_folder.isValid());
        const QString out = m_folder.filePath(QStringLiteral("package"));
        QString said;
        QVERIFY2(run(QStringLiteral(CPACK_COMMAND),
                     {QStringLiteral("-G"), QStringLiteral("DEB"), QStringLiteral("--config"),
                      QStringLiteral(BREVANTA_BUILD_DIR "/CPackConfig.cmake"), QStringLiteral("-B"),
                      out},
                     &said) == 0,
                 qPrintable(said));
        const QStringList debs = QDir(out).entryList({QStringLiteral("brevanta_*.deb")});
        QCOMPARE(debs.size(), 1);
        const QString deb = QDir(out).filePath(debs.first());
        const QString root = m_folder.filePath(QStringLiteral("root"));
        QCOMPARE(run(QStringLiteral("dpkg-deb"), {QStringLiteral("-x"), deb, root}), 0);
        checkTree(root + QStringLiteral("/usr"));
        // Computed from the binary: the Qt, SQLite and ICU libraries it links.
        QCOMPARE(run(QStringLiteral("dpkg-deb"),
                     {QStringLiteral("-f"), deb, QStringLiteral("Depends")}, &said),
                 0);
        for (const QString& library :
             {QStringLiteral("libqt6widgets6"), QStringLiteral("libqt6sql6 "),
              QStringLiteral("libsqlite3-0"), QStringLiteral("libicu"),
              QStringLiteral("libqt6sql6-sqlite"), QStringLiteral("qt6-qpa-plugins")})
            QVERIFY2(said.contains(library), qPrintable(said));
    }
};

QTEST_GUILESS_MAIN(TestDesktopInstall)
#include "tst_desktopinstall.moc"
