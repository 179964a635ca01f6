INSERT INTO `ps_category_product` (`id_category`,`id_product`,`position`) VALUES (26,1,0);
