#pragma once

#include <QColor>
#include <QHash>
#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <optional>

// A small layout container: views in cells of rows and columns, each cell with its own top and left
// margin. A column is as wide as its widest visible cell and a row as high as its highest; hidden views
// take no room. The grid sizes itself to its content and lays out again whenever a cell view is hidden,
// shown or resized, so that the containers above it can follow its size.
class GridView : public QWidget {
    Q_OBJECT
public:
    explicit GridView(QWidget* parent = nullptr);
    ~GridView() override;

    // Places `view` (made a child of the grid); rows and columns grow as needed. A view already in the
    // cell is removed, and the new one starts with margins of 0: set margins after placing.
    void setView(QWidget* view, int row, int column);
    void setTopMargin(double margin, int row, int column);
    void setLeftMargin(double margin, int row, int column);
    void clear();

    void layout();
    void layoutIfNeeded();
    int numberOfRows() const { return int(m_rows.size()); }

    // The gap between rows and after the last one, and after each column; setting one only marks the grid
    // for a later layout.
    double verticalMargin() const { return m_verticalMargin; }
    void setVerticalMargin(double margin);
    double horizontalMargin() const { return m_horizontalMargin; }
    void setHorizontalMargin(double margin);
    std::optional<QColor> color() const { return m_color; }
    void setColor(std::optional<QColor> color);
    bool trace() const { return m_trace; }
    void setTrace(bool trace) { m_trace = trace; }
    QString name() const { return m_name; }
    void setName(const QString& name) { m_name = name; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

signals:
    // After a layout that changed the grid's own size.
    void sizeChanged(QSize size);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    struct Margins {
        double top = 0;
        double left = 0;
    };
    enum class Side { Top, Left };

    void addView(QWidget* view);
    void removeView(QWidget* view);
    void setMargin(double margin, Side side, int row, int column);
    void changed();

    double m_verticalMargin = 0;
    double m_horizontalMargin = 0;
    QList<QList<QPointer<QWidget>>> m_rows; // a null entry is an empty cell
    QHash<QWidget*, Margins> m_margins;
    bool m_dirty = true;
    std::optional<QColor> m_color;
    bool m_trace = false;
    QString m_name;
    QSize m_size{0, 0};
};
