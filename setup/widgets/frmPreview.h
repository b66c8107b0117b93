#pragma once

#include <QImage>
#include <QWidget>

class QFrame;
class QLabel;
class QPushButton;
class QScrollBar;

// "Preview": pages through the thumbnails a slide extraction wrote ("Slide1.bmp", "Slide2.bmp",
// ... in one folder) and offers the slide shown for insertion. It floats above other windows
// and appears without taking the focus from the window the operator works in. Where a slide
// goes and closing the presentation behind it are the owner's business (insertRequested,
// closed).
class frmPreview : public QWidget
{
    Q_OBJECT

public:
    frmPreview(const QString& previewFolder, int slideCount, QWidget* parent = nullptr);

    int slideCount() const { return m_slideCount; }
    // The slide shown (1-based) and its thumbnail; a null image when its file is missing.
    int slide() const;
    QImage thumbnail() const { return m_thumbnail; }
    QString thumbnailPath(int slide) const;

    QScrollBar* scrollBar() const { return m_vScroll; }
    QLabel* slideLabel() const { return m_labSCount; }
    QLabel* picture() const { return m_imgTPreview; }
    QPushButton* insertButton() const { return m_comInsert; }

    void VScroll_Change(int value);
    void ComInsert_Click();

signals:
    void insertRequested(int slide, const QImage& thumbnail);
    // The window was closed; the owner closes the presentation.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void showThumbnail();

    QString m_previewFolder;
    int m_slideCount;
    QImage m_thumbnail;
    QFrame* m_picConPreview;
    QLabel* m_imgTPreview;
    QScrollBar* m_vScroll;
    QLabel* m_labSCount;
    QPushButton* m_comInsert;
};
