// The program's own pictures, as resources/make_icons.py draws them: transparent corners, so the
// control panel shows around them.

#include <QImage>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(Icons, EveryPictureHasTransparentCorners) {
    for (const char* name : {"Picture1", "Picture2", "Picture3", "Picture4", "ico1", "ico2", "mesh35x24"}) {
        const QImage icon(
            QFINDTESTDATA(QStringLiteral("../../resources/pictures/%1.png").arg(QLatin1String(name))));
        ASSERT_FALSE(icon.isNull()) << name;
        for (const QPoint corner : {QPoint(0, 0), QPoint(icon.width() - 1, icon.height() - 1)})
            EXPECT_EQ(qAlpha(icon.pixel(corner)), 0) << name << " " << corner.x() << "," << corner.y();
    }
}

} // namespace
