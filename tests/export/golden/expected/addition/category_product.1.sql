INSERT INTO `ps_category_product` (`id_category`,`id_product`,`position`) VALUES (41,8,0),(43,7,0),(45,10,0);
