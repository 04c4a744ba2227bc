// Plays every animation code on a picture, one after the other, then the busy panel and the
// hover window. --once quits at the end instead of starting again; --shots DIR saves the
// window half-way through each step as DIR/step-NN.png and when it has settled as
// DIR/step-NN-end.png.

#include "ActivityView.h"
#include "AnimationBlock.h"
#include "HoverController.h"
#include "HoverView.h"
#include "ImageFile.h"
#include "ImageView.h"
#include "View.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QLabel>
#include <QTimer>

#include <cstdio>

namespace {

constexpr int kStepMs = 1500;
// Far enough into a step to catch its animation half-way.
constexpr int kShotMs = 350;
// When every animation has settled, just before the next step.
constexpr int kSettledMs = 1350;
constexpr int kCodes = 21;
const QRectF kPictureFrame(30, 150, 300, 200);

const char *const kNames[kCodes] = {"property block, ease in-out",
                                    "property block, linear",
                                    "fade",
                                    "page curl up",
                                    "page curl down",
                                    "flip from right",
                                    "flip from left",
                                    "push from right",
                                    "push from left",
                                    "push from top",
                                    "push from bottom",
                                    "reveal from right",
                                    "reveal from left",
                                    "reveal from top",
                                    "reveal from bottom",
                                    "move in from right",
                                    "move in from left",
                                    "move in from top",
                                    "move in from bottom",
                                    "zoom to 1.3",
                                    "zoom back to 1.0"};

Picture loadSample(const QString &name)
{
    QString error;
    const Picture picture = ImageFile::read(QStringLiteral(VELMORA_SAMPLES_DIR "/") + name, &error);
    if (picture.isNull())
        std::fprintf(stderr, "%s\n", qPrintable(error));
    return picture;
}

QLabel *makeLabel(QWidget *parent, int pixelSize, bool bold, const QColor &color)
{
    auto *label = new QLabel(parent);
    QFont font = label->font();
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

class Demo : public QObject
{
public:
    Demo(bool once, const QString &shots) : m_once(once), m_shots(shots)
    {
        m_window.setWindowTitle(QStringLiteral("Velmora animation codes"));
        m_window.setFixedSize(360, 640);
        m_window.setAutoFillBackground(true);
        QPalette palette = m_window.palette();
        palette.setColor(QPalette::Window, QColor(28, 31, 36));
        m_window.setPalette(palette);

        m_pictures[0] = loadSample(QStringLiteral("coffee.png"));
        m_pictures[1] = loadSample(QStringLiteral("chelsea.png"));

        m_title = makeLabel(&m_window, 20, true, Qt::white);
        View::setFrame(m_title, QRectF(0, 56, 360, 30));
        m_detail = makeLabel(&m_window, 14, false, QColor(170, 176, 186));
        View::setFrame(m_detail, QRectF(0, 88, 360, 24));

        m_picture = new ImageView(m_pictures[0], &m_window);
        m_picture->setContentMode(ImageView::ContentMode::ScaleAspectFill);
        View::setFrame(m_picture, kPictureFrame);

        m_activity = new ActivityView(&m_window);
        View::setHidden(m_activity, true);

        m_hover = new HoverView;
        m_hover->resize(220, 100);
        auto *preview = new ImageView(m_pictures[1], m_hover);
        preview->setContentMode(ImageView::ContentMode::ScaleAspectFit);
        // On a dark ground, as in the editor: an opaque picture inside the fading window.
        preview->setPalette(QPalette(QColor(13, 13, 15)));
        preview->setAutoFillBackground(true);
        View::setFrame(preview, QRectF(8, 8, 204, 84));
        View::setAlpha(m_hover, 0.0);
        m_hoverController.setContainerView(&m_window);
        m_hoverController.setHoverView(m_hover);

        connect(&m_stepTimer, &QTimer::timeout, this, &Demo::step);
        m_stepTimer.setInterval(kStepMs);
    }

    ~Demo() override
    {
        // Owned by the window once the hover has been attached.
        if (!m_hover->parent())
            delete m_hover;
    }

    void run()
    {
        m_window.show();
        step();
        m_stepTimer.start();
    }

private:
    // Steps 0-20 play the codes; then the busy panel comes and goes, then the hover.
    void step()
    {
        if (m_step < kCodes)
            playCode(m_step);
        else if (m_step == kCodes)
            show(QStringLiteral("Busy panel"), QStringLiteral("fades in with code 2"), [this] {
                m_activity->startAnimating(QStringLiteral("Applying filter"), &m_window);
            });
        else if (m_step == kCodes + 1)
            show(QStringLiteral("Busy panel"), QStringLiteral("fades out with code 2"),
                 [this] { m_activity->stopAnimating(); });
        else if (m_step == kCodes + 2)
            show(QStringLiteral("Hover window"), QStringLiteral("fades in with code 0"),
                 [this] { m_hoverController.showHoverView(true); });
        else if (m_step == kCodes + 3)
            show(QStringLiteral("Hover window"), QStringLiteral("fades out with code 0"),
                 [this] { m_hoverController.showHoverView(false); });
        else if (m_once) {
            QCoreApplication::quit();
            return;
        } else {
            m_step = 0;
            step();
            return;
        }
        if (!m_shots.isEmpty()) {
            shoot(kShotMs, QStringLiteral("step-%1.png"));
            shoot(kSettledMs, QStringLiteral("step-%1-end.png"));
        }
        ++m_step;
    }

    void shoot(int afterMs, const QString &pattern)
    {
        const QString path = QDir(m_shots).filePath(pattern.arg(m_step, 2, 10, QLatin1Char('0')));
        QTimer::singleShot(afterMs, this, [this, path] { m_window.grab().save(path); });
    }

    template <class Change> void show(const QString &title, const QString &detail, Change change)
    {
        m_title->setText(title);
        m_detail->setText(detail);
        change();
    }

    // Inside the bracket: a new picture for the transitions, a move and fade for the
    // property blocks; the zoom codes scale the view themselves.
    void playCode(int code)
    {
        show(QStringLiteral("Code %1").arg(code), QString::fromLatin1(kNames[code]), [&] {
            AnimationBlock *animation = AnimationBlock::animation();
            const bool started = animation->start(m_picture, true, code);
            if (code == 0) {
                View::setFrame(m_picture,
                               kPictureFrame.translated(0, 140).adjusted(40, 0, -40, -50));
                View::setAlpha(m_picture, 0.4);
            } else if (code == 1) {
                View::setFrame(m_picture, kPictureFrame);
                View::setAlpha(m_picture, 1.0);
            } else if (code < 19) {
                m_shown = 1 - m_shown;
                m_picture->setImage(m_pictures[m_shown]);
            }
            animation->end(m_picture, started);
        });
    }

    bool m_once;
    QString m_shots;
    QWidget m_window;
    Picture m_pictures[2];
    int m_shown = 0;
    QLabel *m_title = nullptr;
    QLabel *m_detail = nullptr;
    ImageView *m_picture = nullptr;
    ActivityView *m_activity = nullptr;
    HoverView *m_hover = nullptr;
    AnimationBlock m_animation;
    HoverController m_hoverController;
    QTimer m_stepTimer;
    int m_step = 0;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Plays Velmora's animation codes 0 to 20."));
    parser.addHelpOption();
    const QCommandLineOption once(QStringLiteral("once"), QStringLiteral("Quit after one round."));
    const QCommandLineOption shots(QStringLiteral("shots"),
                                   QStringLiteral("Save a picture of the window in each step."),
                                   QStringLiteral("folder"));
    parser.addOption(once);
    parser.addOption(shots);
    parser.process(application);
    if (parser.isSet(shots) && !QDir().mkpath(parser.value(shots))) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(parser.value(shots)));
        return 1;
    }

    Demo demo(parser.isSet(once), parser.value(shots));
    demo.run();
    return application.exec();
}
