#ifndef MQ_DIALOGS_METRICS_H
#define MQ_DIALOGS_METRICS_H
// The one set of sizes and distances every dialog is laid out with, in
// dialog units. Plain #defines, so that the resource compiler's .rc files
// and the pages built at run time read the same numbers.

// Between a dialog's (or a tab page's) edge and its controls.
#define MQ_MARGIN 7
// Between controls that belong together, and between groups that do not.
#define MQ_RELATED 4
#define MQ_UNRELATED 7
// Between a caption and the control it names.
#define MQ_LABEL_GAP 3

// Heights: a one-line text box or drop-down list, a check box, a label.
#define MQ_BOX_H 14
#define MQ_CHECK_H 10
#define MQ_LABEL_H 8
// How far a label or a check box stands below the top of the box beside
// it, so that their texts share the box's baseline.
#define MQ_LABEL_DROP 3
#define MQ_CHECK_DROP 2
// One row of caption and value, and the distance to the next row.
#define MQ_ROW (MQ_BOX_H + MQ_RELATED)

// Push buttons, and the gap between buttons side by side or stacked.
#define MQ_BUTTON_W 50
#define MQ_BUTTON_H 14
#define MQ_BUTTON_GAP 4

// Inside a group box: its first control below the top edge, its controls
// from the sides, its last control above the bottom edge.
#define MQ_GROUP_TOP 11
#define MQ_GROUP_SIDE 6
#define MQ_GROUP_BOTTOM 7

// How far a drop-down list opens.
#define MQ_DROP_H 100

#endif
