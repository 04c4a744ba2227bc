#include "CameraImagePickerController.h"

#include "AnimationBlock.h"
#include "Log.h"
#include "View.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QMouseEvent>

namespace {

// The press and release of a finger lifted inside the control.
void touchUpInside(QWidget *control)
{
    if (auto *button = qobject_cast<QAbstractButton *>(control)) {
        button->click();
        return;
    }
    const QPointF centre = QRectF(control->rect()).center();
    const QPointF global = control->mapToGlobal(centre);
    QMouseEvent press(QEvent::MouseButtonPress, centre, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(control, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, centre, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(control, &release);
}

// Sets `reference` to `view` when it is found there, leaving it as it was otherwise.
void take(QPointer<QWidget> &reference, QWidget *found)
{
    if (found)
        reference = found;
}

} // namespace

CameraImagePickerController::CameraImagePickerController(QObject *parent)
    : ImagePickerController(parent)
{
}

void CameraImagePickerController::clearReferences()
{
    for (QPointer<QWidget> *reference :
         {&m_cameraView, &m_cameraImageView, &m_cameraOffscreen, &m_cameraFillerView,
          &m_cameraOverlay, &m_topOverlay, &m_topText, &m_bottomOverlay, &m_tempLeftButton,
          &m_tempRightButton, &m_tempRightImage})
        *reference = nullptr;
}

void CameraImagePickerController::parseViews()
{
    if (sourceType() != PictureSource::Camera) {
        ImagePickerController::parseViews();
        return;
    }
    clearReferences();
    ImagePickerController::parseViews();
    if (m_cameraView)
        positionCamera();
    if (m_topOverlay && View::frame(m_topOverlay).y() != 0)
        moveTopBarUp();
}

void CameraImagePickerController::recognizeView(QWidget *v, QWidget *p, const QString &)
{
    if (sourceType() != PictureSource::Camera)
        return;
    if (!m_cameraView) {
        QWidget *found = view(v, QStringLiteral("PLCameraView"), nullptr);
        take(m_cameraView, found ? found : view(v, QStringLiteral("CameraView"), nullptr));
        return;
    }
    // A child of the camera root fills the first of its four references still empty that
    // it matches; a child that does not match leaves that reference for the next child.
    if (p && p == m_cameraView) {
        if (!m_cameraImageView)
            take(m_cameraImageView, view(v, QStringLiteral("UIView"), m_cameraView));
        else if (!m_cameraOffscreen)
            take(m_cameraOffscreen, view(v, QStringLiteral("UIImageView"), m_cameraView));
        else if (!m_cameraFillerView)
            take(m_cameraFillerView, view(v, QStringLiteral("UIView"), m_cameraView));
        else if (!m_cameraOverlay)
            take(m_cameraOverlay, view(v, QStringLiteral("PLCropOverlay"), nullptr));
        return;
    }
    if (!m_cameraOverlay)
        return;
    if (p && p == m_cameraOverlay) {
        if (!m_topOverlay)
            take(m_topOverlay, view(v, QStringLiteral("UIImageView"), m_cameraOverlay));
        if (!m_topText)
            take(m_topText, view(v, QStringLiteral("PLCropLCDLayer"), m_cameraOverlay));
        if (!m_topText)
            take(m_topText, view(v, QStringLiteral("CropLCDLayer"), m_cameraOverlay));
        if (!m_bottomOverlay)
            take(m_bottomOverlay,
                 view(v, QStringLiteral("TPBottomDualButtonBar"), m_cameraOverlay));
    }
    if (!m_bottomOverlay)
        return;
    if (p && p == m_bottomOverlay) {
        if (!m_tempLeftButton)
            take(m_tempLeftButton, view(v, QStringLiteral("TPPushButton"), m_bottomOverlay));
        if (!m_tempRightButton)
            take(m_tempRightButton, view(v, QStringLiteral("TPCameraPushButton"), m_bottomOverlay));
    }
    if (!m_tempRightButton)
        return;
    if (p && p == m_tempRightButton && !m_tempRightImage)
        take(m_tempRightImage, view(v, QStringLiteral("UIImageView"), m_tempRightButton));
}

// A desktop window has no status bar, so the preview is always centred on the camera view.
void CameraImagePickerController::positionCamera()
{
    if (m_cameraImageView && m_cameraView)
        View::setCenter(m_cameraImageView, View::center(m_cameraView));
    if (m_cameraFillerView)
        View::setHidden(m_cameraFillerView, true);
    if (m_cameraView) {
        QPalette palette = m_cameraView->palette();
        palette.setColor(QPalette::Window, Qt::black);
        m_cameraView->setPalette(palette);
        m_cameraView->setAutoFillBackground(true);
    }
}

void CameraImagePickerController::moveTopBarUp()
{
    AnimationBlock *animation = AnimationBlock::animation();
    const QRectF bar = View::frame(m_topOverlay);
    if (m_topText) {
        const bool started = animation->start(m_topText, true, 0);
        View::setFrame(m_topText, View::frame(m_topText).translated(0, -bar.y()));
        animation->end(m_topText, started);
    }
    const bool started = animation->start(m_topOverlay, true, 0);
    View::setFrame(m_topOverlay, QRectF(bar.x(), 0, bar.width(), bar.height()));
    animation->end(m_topOverlay, started);
}

QWidget *CameraImagePickerController::findButton(Button button)
{
    m_tempLeftButton = nullptr;
    m_tempRightButton = nullptr;
    m_tempRightImage = nullptr;
    parseView(m_bottomOverlay, nullptr, 1);
    if (!m_tempLeftButton || !m_tempRightButton)
        return nullptr;
    const bool glyph = m_tempRightImage != nullptr;
    switch (button) {
    case Button::Camera:
        return glyph ? m_tempRightButton.data() : nullptr;
    case Button::Cancel:
        return glyph ? m_tempLeftButton.data() : nullptr;
    case Button::Confirm:
        return glyph ? nullptr : m_tempRightButton.data();
    case Button::Retake:
        return glyph ? nullptr : m_tempLeftButton.data();
    }
    return nullptr;
}

QWidget *CameraImagePickerController::cameraButton()
{
    return findButton(Button::Camera);
}

QWidget *CameraImagePickerController::cancelButton()
{
    return findButton(Button::Cancel);
}

QWidget *CameraImagePickerController::confirmButton()
{
    return findButton(Button::Confirm);
}

QWidget *CameraImagePickerController::retakeButton()
{
    return findButton(Button::Retake);
}

namespace {

bool press(QWidget *button)
{
    if (!button)
        return false;
    touchUpInside(button);
    return true;
}

} // namespace

bool CameraImagePickerController::photo()
{
    qCInfo(velmoraLog, "Photo");
    return press(cameraButton());
}

bool CameraImagePickerController::cancel()
{
    return press(cancelButton());
}

bool CameraImagePickerController::confirm()
{
    return press(confirmButton());
}

bool CameraImagePickerController::retake()
{
    return press(retakeButton());
}

bool CameraImagePickerController::shouldAutorotateToInterfaceOrientation(int orientation)
{
    return orientation == Portrait;
}
