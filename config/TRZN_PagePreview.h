#pragma once
// The configuration window's small page preview: the paper as it lies for the plot, its margins
// and the printable area, with the paper's size written under it. It only draws what
// ComputePagePreview worked out; it reads no control and changes no record.

#include <QString>
#include <QWidget>
#include <cstdint>

#include "config/page_preview_model.h"

class TRZN_PagePreview : public QWidget {
    Q_OBJECT

public:
    explicit TRZN_PagePreview(QWidget* parent = nullptr);

    // The page to show and the unit the paper size is written in (the size fields' unit).
    void setPreview(const PagePreview& preview, int16_t unit);
    const PagePreview& preview() const { return _preview; }
    // The lines written under the drawing (or the note shown instead of it).
    QString caption() const { return _caption; }
    QString detail() const { return _detail; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    PagePreview _preview;
    QString _caption;
    QString _detail;
};
