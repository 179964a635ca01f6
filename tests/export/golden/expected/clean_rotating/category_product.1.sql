INSERT INTO `ps_category_product` (`id_category`,`id_product`,`position`) VALUES (16,1,0),(16,2,0),(18,4,0);
INSERT INTO `ps_category_product` (`id_category`,`id_product`,`position`) VALUES (20,1,0),(22,2,0),(24,4,0);
