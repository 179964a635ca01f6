INSERT INTO `ps_category_product` (`id_category`,`id_product`,`position`) VALUES (16,1,0);
INSERT INTO `ps_category_product` (`id_category`,`id_product`,`position`) VALUES (16,2,0);
INSERT INTO `ps_category_product` (`id_category`,`id_product`,`position`) VALUES (18,4,0);
INSERT INTO `ps_category_product` (`id_category`,`id_product`,`position`) VALUES (20,1,0);
INSERT INTO `ps_category_product` (`id_category`,`id_product`,`position`) VALUES (22,2,0);
INSERT INTO `ps_category_product` (`id_category`,`id_product`,`position`) VALUES (24,4,0);
INSERT INTO `ps_category_product` (`id_category`,`id_product`,`position`) VALUES (26,1,0);
