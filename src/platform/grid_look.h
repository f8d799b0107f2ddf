#pragma once

class QTableView;

namespace kanvelo {

// Read-only cells, one selected at a time, no row numbers, fixed row heights:
// the look and keys every grid of the program shares (Grid, ModelGrid).
void use_grid_look(QTableView* view);

} // namespace kanvelo
