#include "TrimBarPanel.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace {

const char* const StripLook = R"(
#Panel2, #Panel3 { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #3c4150, stop:1 #2a2e38); }
#Panel4 { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #7fa6e0, stop:1 #3f6bb0); }
)";

// A marker's face, designed at 17 × 19 and drawn to the marker's size at the
// screen's own resolution: a grip with an arrow pointing into the kept part.
void DrawMarkerFace(QPainter& Painter, QSize Size, bool PointsRight) {
    Painter.save();
    Painter.scale(Size.width() / 17.0, Size.height() / 19.0);
    Painter.setRenderHint(QPainter::Antialiasing);
    Painter.setPen(Qt::NoPen);
    Painter.setBrush(QColor(236, 240, 246));
    Painter.drawRoundedRect(QRectF(1.5, 0.5, 14, 18), 3, 3);
    QPainterPath Arrow;
    const qreal Tip = PointsRight ? 12 : 5, Back = PointsRight ? 6 : 11;
    Arrow.moveTo(Back, 5);
    Arrow.lineTo(Tip, 9.5);
    Arrow.lineTo(Back, 14);
    Arrow.closeSubpath();
    Painter.setBrush(QColor(47, 84, 145));
    Painter.drawPath(Arrow);
    Painter.restore();
}

} // namespace

// A marker: its face stretched over it; a drag moves it as the mouse moves,
// and with the focus, Left and Right move it by the steps of a click.
class TTrimMarker : public QWidget {
public:
    TTrimMarker(TTrimBarPanel& Bar, const char* Name, const char* SpokenName, bool PointsRight)
        : QWidget(&Bar), Bar(Bar), PointsRight(PointsRight) {
        setObjectName(Name);
        setAccessibleName(SpokenName);
        setCursor(Qt::PointingHandCursor);
        setFocusPolicy(Qt::StrongFocus);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter Painter(this);
        Painter.fillRect(rect(), QColor(61, 65, 77));
        DrawMarkerFace(Painter, size(), PointsRight);
        if (hasFocus()) {
            Painter.setPen(QPen(QColor(255, 200, 60), 1, Qt::DotLine));
            Painter.drawRect(rect().adjusted(0, 0, -1, -1));
        }
    }
    void keyPressEvent(QKeyEvent* Event) override {
        const int Direction =
            Event->key() == Qt::Key_Left ? -1 : (Event->key() == Qt::Key_Right ? 1 : 0);
        if (Direction == 0)
            return QWidget::keyPressEvent(Event);
        const Qt::KeyboardModifiers Keys = Event->modifiers() & ~Qt::KeypadModifier;
        const int Step = TrimBar::ClickStep(Keys == Qt::ControlModifier, Keys == Qt::ShiftModifier);
        Bar.MarkerDragged(*this, x() + Direction * Step);
    }
    void mousePressEvent(QMouseEvent* Event) override {
        if (Event->button() == Qt::LeftButton)
            GrabX = Event->position().toPoint().x();
    }
    void mouseMoveEvent(QMouseEvent* Event) override {
        if (Event->buttons() & Qt::LeftButton)
            Bar.MarkerDragged(*this, mapToParent(Event->position().toPoint()).x() - GrabX);
    }

private:
    TTrimBarPanel& Bar;
    const bool PointsRight;
    int GrabX = 0;
};

TTrimBarPanel::TTrimBarPanel(QWidget* Parent)
    : QFrame(Parent), Panel2(new QWidget(this)),
      Splitter1(new TTrimMarker(*this, "Splitter1", "Start marker", true)),
      Panel4(new QWidget(this)),
      Splitter2(new TTrimMarker(*this, "Splitter2", "End marker", false)),
      Panel3(new QWidget(this)) {
    Panel2->setObjectName("Panel2");
    Panel4->setObjectName("Panel4");
    Panel3->setObjectName("Panel3");
    for (QWidget* Strip : {Panel2, Panel4, Panel3})
        Strip->setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(StripLook);
    Panel2->installEventFilter(this);
    Panel3->installEventFilter(this);
    Arrange();
}

void TTrimBarPanel::SetStrips(TrimBar::TStrips Strips) {
    Now = Strips;
    Arrange();
}

void TTrimBarPanel::Arrange() {
    using TrimBar::MarkerWidth;
    const int Width = TrimBar::DesignWidth, Height = height();
    Panel2->setGeometry(0, 0, Now.Left, Height);
    Splitter1->setGeometry(Now.Left, 0, MarkerWidth, Height);
    const int EndMarkerX = Width - Now.Right - MarkerWidth;
    Panel4->setGeometry(Now.Left + MarkerWidth, 0, EndMarkerX - Now.Left - MarkerWidth, Height);
    Splitter2->setGeometry(EndMarkerX, 0, MarkerWidth, Height);
    Panel3->setGeometry(Width - Now.Right, 0, Now.Right, Height);
}

void TTrimBarPanel::resizeEvent(QResizeEvent* Event) {
    QFrame::resizeEvent(Event);
    Arrange(); // the strips and markers take the bar's height, also before any file is added
}

void TTrimBarPanel::MarkerDragged(const TTrimMarker& Marker, int X) {
    const TrimBar::TStrips Before = Now;
    if (&Marker == Splitter1)
        Now.Left = TrimBar::DraggedLeftStrip(X, Now);
    else
        Now.Right = TrimBar::DraggedRightStrip(X, Now);
    if (Now.Left == Before.Left && Now.Right == Before.Right)
        return;
    Arrange();
    if (&Marker == Splitter1)
        emit StartMarkerMoved();
    else
        emit EndMarkerMoved();
}

bool TTrimBarPanel::eventFilter(QObject* Watched, QEvent* Event) {
    const bool Click =
        Event->type() == QEvent::MouseButtonPress || Event->type() == QEvent::MouseButtonDblClick;
    if (!Click || static_cast<QMouseEvent*>(Event)->button() != Qt::LeftButton)
        return QFrame::eventFilter(Watched, Event);
    const Qt::KeyboardModifiers Keys = static_cast<QMouseEvent*>(Event)->modifiers();
    const int Step = TrimBar::ClickStep(Keys == Qt::ControlModifier, Keys == Qt::ShiftModifier);
    if (Watched == Panel2 && TrimBar::CanStepLeftStrip(Now, Step)) {
        Now.Left -= Step;
        Arrange();
        emit StartMarkerMoved();
    } else if (Watched == Panel3 && TrimBar::CanStepRightStrip(Now, Step)) {
        Now.Right -= Step;
        Arrange();
        emit EndMarkerMoved();
    }
    return true;
}
