INSERT INTO `ps_category_group` (`id_category`,`id_group`) VALUES (1,0),(2,0),(2,1),(2,2),(2,3),(3,1),(3,2),(3,3),(4,1),(4,2),(4,3);
INSERT INTO `ps_category_group` (`id_category`,`id_group`) VALUES (15,1),(16,1),(17,1),(18,1);
INSERT INTO `ps_category_group` (`id_category`,`id_group`) VALUES (5,1),(6,1),(7,1);
