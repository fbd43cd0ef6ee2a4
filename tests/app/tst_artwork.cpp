// The artwork: pictures and the icon rendered ahead on a second thread must be
// the very pictures rendered on the spot, and the window must look the same
// with or without the head start.
#include <QIcon>
#include <QImage>
#include <QTest>

#include "app/artwork.h"
#include "app/form1.h"
#include "fake_shell.h"

namespace artwork = zv::app::artwork;
using zv::test::FakeShell;

class TestArtwork : public QObject {
    Q_OBJECT
  private slots:
    void picturesRenderedAheadEqualThoseRenderedOnTheSpot_data();
    void picturesRenderedAheadEqualThoseRenderedOnTheSpot();
    void theWindowLooksTheSameWithAHeadStart();
    void notAPictureGivesANullImage();
};

void TestArtwork::picturesRenderedAheadEqualThoseRenderedOnTheSpot_data() {
    QTest::addColumn<QString>("resource");
    QTest::addColumn<qreal>("aheadRatio");
    QTest::addColumn<qreal>("ratio");
    const QString background = QString::fromLatin1(artwork::kBackground);
    QTest::newRow("rendered ahead") << background << 1.0 << 1.0;
    QTest::newRow("rendered ahead, high density") << background << 2.0 << 2.0;
    QTest::newRow("another ratio than ahead") << background << 1.0 << 1.5;
    QTest::newRow("not rendered ahead") << QString::fromLatin1(artwork::kCloseMark) << 1.0 << 1.0;
}

void TestArtwork::picturesRenderedAheadEqualThoseRenderedOnTheSpot() {
    QFETCH(QString, resource);
    QFETCH(qreal, aheadRatio);
    QFETCH(qreal, ratio);
    const QImage onTheSpot = artwork::picture(resource, ratio);
    QVERIFY(!onTheSpot.isNull());
    QCOMPARE(onTheSpot.devicePixelRatio(), ratio);
    QCOMPARE(onTheSpot.deviceIndependentSize().toSize(), artwork::picture(resource, 1.0).size());
    {
        const artwork::HeadStart headStart(aheadRatio);
        QCOMPARE(artwork::picture(resource, ratio), onTheSpot);
    }
    // Once the head start is over, pictures are rendered on the spot again.
    QCOMPARE(artwork::picture(resource, ratio), onTheSpot);
}

void TestArtwork::theWindowLooksTheSameWithAHeadStart() {
    FakeShell shell;
    QImage without;
    {
        zv::app::TForm1 form(shell);
        QVERIFY(!form.windowIcon().isNull());
        without = form.grab().toImage();
    }
    const artwork::HeadStart headStart(1.0);
    zv::app::TForm1 form(shell);
    QCOMPARE(form.grab().toImage(), without);
    const QList<QSize> sizes = form.windowIcon().availableSizes();
    for (const int side : {16, 32, 64, 128}) {
        QVERIFY2(sizes.contains(QSize(side, side)), qPrintable(QString::number(side)));
    }
    const QImage icon = form.windowIcon().pixmap(QSize(32, 32)).toImage();
    QCOMPARE(icon, QIcon(QString::fromLatin1(artwork::kAppIcon))
                       .pixmap(QSize(32, 32))
                       .toImage()
                       .convertToFormat(icon.format()));
}

void TestArtwork::notAPictureGivesANullImage() {
    QVERIFY(artwork::picture(QStringLiteral(":/art/missing.svg"), 1.0).isNull());
    QVERIFY(artwork::picture(QStringLiteral(":/art/artwork.qrc"), 1.0).isNull());
}

QTEST_MAIN(TestArtwork)
#include "tst_artwork.moc"
