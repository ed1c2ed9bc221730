// The widget set grows here.
