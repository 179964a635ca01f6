INSERT INTO `ps_category_group` (`id_category`,`id_group`) VALUES (25,3),(26,3),(8,3),(9,3),(10,3);
INSERT INTO `ps_category_group` (`id_category`,`id_group`) VALUES (19,3),(20,3),(11,3),(12,3),(13,3);
