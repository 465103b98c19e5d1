// The reference for a grid view: a minimal Qt table view of the same rows and columns over a
// model that makes each text (a formatted number) when the view asks for it, shown at the
// grid's size and its first page painted.
#pragma once

#include <QAbstractTableModel>
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTableView>

#include <memory>

namespace quon::bench {

class ReferenceModel : public QAbstractTableModel {
public:
  ReferenceModel(int rows, int cols) : rows_(rows), cols_(cols) {}
  int rowCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : rows_; }
  int columnCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : cols_; }
  QVariant data(const QModelIndex &index, int role) const override {
    if (role != Qt::DisplayRole) return {};
    return QString::number((index.row() + 1) * 0.37 * (index.column() + 1) - 500.0, 'f', 2);
  }

private:
  int rows_;
  int cols_;
};

// Builds the view of rows x cols at a size in pixels, shows it and paints what it shows.
class ReferenceTableView {
public:
  ReferenceTableView(int rows, int cols, int width, int height)
      : model_(std::make_unique<ReferenceModel>(rows, cols)), view_(std::make_unique<QTableView>()) {
    view_->setModel(model_.get());
    view_->resize(width, height);
    view_->show();
    QApplication::processEvents();
    QImage image(view_->viewport()->size(), QImage::Format_RGB32);
    QPainter painter(&image);
    view_->viewport()->render(&painter);
  }

private:
  std::unique_ptr<ReferenceModel> model_;
  std::unique_ptr<QTableView> view_;
};

} // namespace quon::bench
