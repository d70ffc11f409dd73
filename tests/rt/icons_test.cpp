// The program's own pictures, as resources/make_icons.py draws them.

#include <QImage>
#include <QString>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QImage Icon(const char* name) {
    return QImage(QFINDTESTDATA(QStringLiteral("../../resources/pictures/%1.png").arg(QLatin1String(name))));
}

TEST(Icons, TheControlPanelsPicturesShowThePanelAroundThem) {
    for (const char* name : {"Picture1", "Picture2", "Picture3", "Picture4", "ico1", "ico2", "mesh35x24"}) {
        const QImage icon = Icon(name);
        ASSERT_FALSE(icon.isNull()) << name;
        const int right = icon.width() - 1, bottom = icon.height() - 1;
        for (const QPoint corner : {QPoint(0, 0), QPoint(right, 0), QPoint(0, bottom), QPoint(right, bottom)})
            EXPECT_EQ(qAlpha(icon.pixel(corner)), 0) << name << " " << corner.x() << "," << corner.y();
    }
}

TEST(Icons, TheViewBoxesHideTheEdgesBehindThem) {
    // A point of each box's hidden back edge, where the top face lies in front of it.
    const struct {
        const char* name;
        QPoint behindTop;
    } boxes[] = {{"Picture1", {28, 8}}, {"Picture2", {28, 5}}, {"Picture3", {36, 13}}};
    for (const auto& box : boxes) {
        const QRgb shown = Icon(box.name).pixel(box.behindTop);
        EXPECT_GT(qGreen(shown), 100) << box.name << ": an edge line across the top face";
    }
}

} // namespace
