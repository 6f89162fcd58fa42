#pragma once

// The two lists the popup below the editor shows.
enum list_kind : int { variable_list = 0, history_list = 1 };
