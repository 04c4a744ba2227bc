#ifndef VELMORA_APP_CAMERAIMAGEPICKERCONTROLLER_H
#define VELMORA_APP_CAMERAIMAGEPICKERCONTROLLER_H

#include "ImagePickerController.h"

#include <QPointer>

// The picker that, when it shows the camera, finds the camera screen's parts by their view
// descriptions (the live preview, its overlays, the bottom bar and its two buttons), tidies
// their placement, and presses the bar's buttons on request. On a screen without those parts
// nothing is found and the picker works unchanged.
class CameraImagePickerController : public ImagePickerController
{
    Q_OBJECT

public:
    explicit CameraImagePickerController(QObject *parent = nullptr);

    void parseViews() override;
    void recognizeView(QWidget *view, QWidget *superview, const QString &description) override;
    void positionCamera();

    QWidget *cameraButton();
    QWidget *cancelButton();
    QWidget *confirmButton();
    QWidget *retakeButton();
    bool photo();
    bool cancel();
    bool confirm();
    bool retake();

    bool shouldAutorotateToInterfaceOrientation(int orientation) override;

    QWidget *cameraView() const { return m_cameraView; }
    QWidget *cameraImageView() const { return m_cameraImageView; }
    QWidget *cameraOffscreen() const { return m_cameraOffscreen; }
    QWidget *cameraFillerView() const { return m_cameraFillerView; }
    QWidget *cameraOverlay() const { return m_cameraOverlay; }
    QWidget *topOverlay() const { return m_topOverlay; }
    QWidget *topText() const { return m_topText; }
    QWidget *bottomOverlay() const { return m_bottomOverlay; }
    QWidget *tempLeftButton() const { return m_tempLeftButton; }
    QWidget *tempRightButton() const { return m_tempRightButton; }
    QWidget *tempRightImage() const { return m_tempRightImage; }

private:
    enum class Button
    {
        Camera,
        Cancel,
        Confirm,
        Retake
    };

    void clearReferences();
    void moveTopBarUp();
    QWidget *findButton(Button button);

    QPointer<QWidget> m_cameraView;
    QPointer<QWidget> m_cameraImageView;
    QPointer<QWidget> m_cameraOffscreen;
    QPointer<QWidget> m_cameraFillerView;
    QPointer<QWidget> m_cameraOverlay;
    QPointer<QWidget> m_topOverlay;
    QPointer<QWidget> m_topText;
    QPointer<QWidget> m_bottomOverlay;
    QPointer<QWidget> m_tempLeftButton;
    QPointer<QWidget> m_tempRightButton;
    QPointer<QWidget> m_tempRightImage;
};

#endif
