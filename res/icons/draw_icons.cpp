// Draws the application's icons as PNG files into the current folder. Not part of the build:
//   g++ -std=c++20 -fPIC draw_icons.cpp $(pkg-config --cflags --libs Qt6Gui) -o draw_icons
//   QT_QPA_PLATFORM=offscreen ./draw_icons
// Toolbar icons are drawn on an 18 x 18 grid (plus @2x versions); the application and document
// icons on a 64 x 64 grid at several sizes.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <functional>

using Draw = std::function<void(QPainter&)>;

static void save(const QString& name, int grid, int size, const Draw& draw)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(double(size) / grid, double(size) / grid);
    draw(p);
    p.end();
    image.save(name);
}

static void page(QPainter& p, QRectF r, double fold)
{
    QPainterPath path;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right() - fold, r.top());
    path.lineTo(r.right(), r.top() + fold);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    p.setPen(QPen(QColor(60, 60, 60), r.width() / 14));
    p.setBrush(Qt::white);
    p.drawPath(path);
    QPainterPath corner;
    corner.moveTo(r.right() - fold, r.top());
    corner.lineTo(r.right() - fold, r.top() + fold);
    corner.lineTo(r.right(), r.top() + fold);
    p.setBrush(QColor(215, 215, 215));
    p.drawPath(corner);
}

// A handheld radio in the box r: body, antenna, display and speaker grille.
static void radio(QPainter& p, QRectF r)
{
    const double u = r.width() / 10;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 40, 40));
    p.drawRoundedRect(QRectF(r.left() + 6.2 * u, r.top(), 1.4 * u, r.height() * 0.4), 0.6 * u,
                      0.6 * u);
    QRectF body(r.left() + u, r.top() + r.height() * 0.3, 8 * u, r.height() * 0.7);
    QLinearGradient shade(body.topLeft(), body.topRight());
    shade.setColorAt(0, QColor(80, 84, 92));
    shade.setColorAt(1, QColor(30, 32, 36));
    p.setBrush(shade);
    p.drawRoundedRect(body, 1.4 * u, 1.4 * u);
    p.setBrush(QColor(120, 200, 255));
    p.drawRect(QRectF(body.left() + 1.4 * u, body.top() + 1.2 * u, body.width() - 2.8 * u,
                      body.height() * 0.22));
    p.setBrush(QColor(150, 150, 150));
    for (int row = 0; row < 3; ++row) {
        p.drawRect(QRectF(body.left() + 1.6 * u, body.top() + body.height() * (0.5 + row * 0.13),
                          body.width() - 3.2 * u, body.height() * 0.05));
    }
}

static void arrow(QPainter& p, QPointF from, QPointF to, QColor color, double width)
{
    QLineF line(from, to);
    QLineF back = QLineF(to, from);
    back.setLength(width * 1.6);
    QLineF left = back;
    left.setAngle(back.angle() + 40);
    QLineF right = back;
    right.setAngle(back.angle() - 40);
    p.setPen(QPen(QColor(30, 30, 30), width + 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(line);
    p.drawLine(left);
    p.drawLine(right);
    p.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(line);
    p.drawLine(left);
    p.drawLine(right);
}

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const std::pair<const char*, Draw> toolbar[] = {
        {"new", [](QPainter& p) { page(p, QRectF(3.5, 1.5, 11, 15), 4); }},
        {"open",
         [](QPainter& p) {
             p.setPen(QPen(QColor(110, 80, 10), 1));
             p.setBrush(QColor(230, 180, 60));
             p.drawRect(QRectF(1.5, 4.5, 13, 11));
             p.drawRect(QRectF(1.5, 3, 5, 2));
             QPainterPath lid;
             lid.moveTo(4, 8.5);
             lid.lineTo(17, 8.5);
             lid.lineTo(14.5, 15.5);
             lid.lineTo(1.5, 15.5);
             lid.closeSubpath();
             p.setBrush(QColor(250, 215, 110));
             p.drawPath(lid);
         }},
        {"save",
         [](QPainter& p) {
             p.setPen(QPen(QColor(20, 40, 90), 1));
             p.setBrush(QColor(60, 100, 190));
             p.drawRoundedRect(QRectF(2.5, 2.5, 13, 13), 1, 1);
             p.setBrush(Qt::white);
             p.drawRect(QRectF(5, 2.5, 8, 5.5));
             p.setBrush(QColor(200, 200, 200));
             p.drawRect(QRectF(5.5, 10.5, 7, 5));
             p.setBrush(QColor(20, 40, 90));
             p.drawRect(QRectF(10, 3.5, 1.5, 3));
         }},
        {"read",
         [](QPainter& p) {
             radio(p, QRectF(9, 1, 8.5, 16));
             arrow(p, QPointF(9.5, 10), QPointF(2, 10), QColor(40, 180, 60), 1.8);
         }},
        {"write",
         [](QPainter& p) {
             radio(p, QRectF(9, 1, 8.5, 16));
             arrow(p, QPointF(1.5, 10), QPointF(9, 10), QColor(220, 60, 40), 1.8);
         }},
        {"testmode",
         [](QPainter& p) {
             p.setPen(QPen(QColor(40, 40, 40), 1));
             p.setBrush(QColor(245, 245, 235));
             p.drawRoundedRect(QRectF(1.5, 3.5, 15, 11), 1.5, 1.5);
             p.setPen(QPen(QColor(40, 40, 40), 0.8));
             p.drawArc(QRectF(3.5, 5.5, 11, 11), 30 * 16, 120 * 16);
             p.setPen(QPen(QColor(200, 30, 30), 1.4, Qt::SolidLine, Qt::RoundCap));
             p.drawLine(QPointF(9, 12.5), QPointF(12.5, 6.5));
             p.setPen(Qt::NoPen);
             p.setBrush(QColor(40, 40, 40));
             p.drawEllipse(QPointF(9, 12.5), 1.2, 1.2);
         }},
        {"print",
         [](QPainter& p) {
             p.setPen(QPen(QColor(50, 50, 50), 1));
             p.setBrush(Qt::white);
             p.drawRect(QRectF(5, 1.5, 8, 6));
             p.setBrush(QColor(170, 170, 175));
             p.drawRoundedRect(QRectF(1.5, 6.5, 15, 7), 1, 1);
             p.setBrush(Qt::white);
             p.drawRect(QRectF(4.5, 11, 9, 5.5));
             p.setPen(QPen(QColor(120, 120, 120), 0.7));
             p.drawLine(QPointF(6, 13), QPointF(12, 13));
             p.drawLine(QPointF(6, 14.8), QPointF(11, 14.8));
             p.setPen(Qt::NoPen);
             p.setBrush(QColor(60, 200, 80));
             p.drawEllipse(QPointF(14, 8.5), 0.8, 0.8);
         }},
        {"about",
         [](QPainter& p) {
             p.setPen(QPen(QColor(20, 50, 120), 1));
             p.setBrush(QColor(60, 120, 210));
             p.drawEllipse(QRectF(1.5, 1.5, 15, 15));
             QFont font(QStringLiteral("Liberation Serif"));
             font.setPixelSize(13);
             font.setBold(true);
             p.setFont(font);
             p.setPen(Qt::white);
             p.drawText(QRectF(1.5, 1.5, 15, 15), Qt::AlignCenter, QStringLiteral("?"));
         }},
    };
    for (const auto& [name, draw] : toolbar) {
        save(QStringLiteral("%1.png").arg(QLatin1String(name)), 18, 18, draw);
        save(QStringLiteral("%1@2x.png").arg(QLatin1String(name)), 18, 36, draw);
    }

    const Draw application = [](QPainter& p) {
        radio(p, QRectF(14, 2, 36, 60));
        p.setPen(QPen(QColor(255, 150, 30), 2.2, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        for (int i = 0; i < 3; ++i) {
            const double r = 5 + i * 4.5;
            p.drawArc(QRectF(38.2 - r, 6 - r, 2 * r, 2 * r), -20 * 16, 80 * 16);
        }
    };
    const Draw document = [](QPainter& p) {
        page(p, QRectF(10, 3, 44, 58), 13);
        radio(p, QRectF(22, 16, 20, 36));
    };
    for (int size : {16, 32, 48, 64, 128, 256}) {
        save(QStringLiteral("orvo-%1.png").arg(size), 64, size, application);
        save(QStringLiteral("orvo-document-%1.png").arg(size), 64, size, document);
    }
    return 0;
}
