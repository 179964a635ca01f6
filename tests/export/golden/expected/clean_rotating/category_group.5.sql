INSERT INTO `ps_category_group` (`id_category`,`id_group`) VALUES (19,2),(20,2),(11,2),(12,2),(13,2);
INSERT INTO `ps_category_group` (`id_category`,`id_group`) VALUES (21,2),(22,2),(14,2);
