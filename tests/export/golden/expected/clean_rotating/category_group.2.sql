INSERT INTO `ps_category_group` (`id_category`,`id_group`) VALUES (25,1),(26,1),(8,1),(9,1),(10,1);
INSERT INTO `ps_category_group` (`id_category`,`id_group`) VALUES (19,1),(20,1),(11,1),(12,1),(13,1);
