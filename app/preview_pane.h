// The main dialog's preview: the chart that OK would draw, shown as large as the pane allows at
// the picture's proportions, or the message the plot run gave instead of a chart.
#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <QWidget>

namespace qm {

class PreviewPane : public QWidget {
 public:
  explicit PreviewPane(QWidget* parent);

  // Shows `image`; the pane keeps it until the next picture or message.
  void ShowPicture(const QImage& image);
  // Shows `text` in place of a chart.
  void ShowMessage(const QString& text);

  const QImage& picture() const { return picture_; }
  const QString& message() const { return message_; }
  // The size in device pixels of a picture that fills the pane at the chart's proportions.
  QSize PictureSize() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage picture_;
  QString message_;
};

}  // namespace qm
