target_sources(q9tx_gui PRIVATE)
